#pragma once
// The look of the result diagrams: their names, axis names or formula pictures and fonts,
// the same in the main window and in the pictures of the command-line tool.

#include "diagram/graphics.h"
#include "results/result_plan.h"

class TDiagramCore;

// Names and fonts of one diagram; the frequency diagrams get their formula pictures, the x axis
// the one of the unit in use (ωT, or fT for the cyclic unit).
void StyleResultDiagram(TDiagramCore& diagram, ResultDiagram which, bool cyclic_frequency);

// The x-axis picture of the frequency diagrams for the unit.
const TBitmap& FrequencyAxisPicture(bool cyclic_frequency);

bool IsFrequencyDiagram(ResultDiagram which);

// The names of the amplitude-response diagram in the three modes (1, 2, 3).
const char* AmplitudeResponseName(int afc_mode);
