#pragma once
// One run of velmar-cli: the dialogs' models fed as the user would fill the dialogs, the
// analysis run, and the outputs.

#include <cstdio>

#include "cli_options.h"

// Runs everything the options ask for; returns the process's exit code: 0 done, 1 failed while
// writing, 2 a request that cannot be carried out. Either failure writes no output file.
int RunCliSession(const CliOptions& options, std::FILE* out, std::FILE* err);
