#pragma once
// A project's settings put into a session, as the user would fill the dialogs, and the settings a
// session holds now, as a project saves them.

#include <cstdio>

#include "session/project_settings.h"
#include "session/session.h"

// Puts the analysis settings, the filter, the signal and the measurement's levels of settings into
// the session's models, without running the analysis; what settings leave out is what a fresh
// start has, whatever the session held. The next analysis is a full one. Values go through the dialogs' setters and get
// their corrections; notes (null for none) is told "corrected: --order = 200" for each value a correction changed.
// Throws UsageError for a choice the models refuse (all non-recursive coefficients 0, a
// decimation not offered, a level not in its list); the models may then hold part of the settings.
void ApplySettings(Session& session, const ProjectSettings& settings, std::FILE* notes);

// Throws UsageError where ApplySettings would, leaving the session as it was: nothing is applied
// to it, and the corrections' messages are not shown.
void CheckSettings(const ProjectSettings& settings);

// The filter the last analysis used, the signal it read and the analysis settings, with every
// field of a library design in the library dialog's level display and entry mode, and the
// measurement's levels of the scale the amplitude-response mode shows.
ProjectSettings ProjectSettingsOf(Session& session);
