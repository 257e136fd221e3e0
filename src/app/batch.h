#pragma once
// zaviro without a window, for batch work: the report's PDF or the charts of
// a survey, its diversity, or a similarity or comparison of treatments,
// written to a file.

#include "cli/grammar.h"

namespace zav {

// Does the work the command line asks for (a command other than the
// window) on an offscreen display, so that no graphical session is needed.
// Returns the exit code: 0 done; 1 an error in a file or the computation,
// its message on standard error.
int runBatch(const cli::Options& options, char* programName);

} // namespace zav
