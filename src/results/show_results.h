#pragma once
// Puts a result plan onto a diagram: the base series, its colour and kind, then the limits and
// the view ranges, in that order (a new limit may pull the old range in first).

#include "results/result_plan.h"

class TDiagramCore;

void ShowPlannedResult(TDiagramCore& diagram, const DiagramPlan& plan);
