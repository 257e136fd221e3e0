#pragma once
// zaviro without a window, for batch work: the report's PDF or the charts of
// a survey, or of a similarity analysis, written to a file.

#include <cstdio>

namespace zav {

// What zaviro takes on its command line.
void printUsage(std::FILE* to);
// The same on standard output for --help: 0, or 1 with a message when it
// cannot be written.
int printHelp();

// True when the command line asks for batch work (it starts with --pdf,
// --grafico or --similaridade).
bool isBatchRequest(int argc, char** argv);

// Does the work on an offscreen display, so that no graphical session is
// needed. Returns the exit code: 0 done; 1 an error in a file or the
// computation, its message on standard error; 2 wrong usage.
int runBatch(int argc, char** argv);

} // namespace zav
