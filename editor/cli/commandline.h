// The program run from a command line, without a window and without a display: every general
// of a person file to a spreadsheet (CSV) and back.
#pragma once

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadUsage = 1;
inline constexpr int kExitFileFailed = 2;
inline constexpr int kExitSheetProblems = 3;

// True when the arguments ask for the command line rather than the window (which takes no
// argument or the one person file to open). Decided before any application object exists,
// so that the command line never needs a display.
bool WantsCommandLine(int argc, char* argv[]);

// The one line, on standard error, for a window start without a display; the status is
// kExitBadUsage.
void ReportNoDisplay();

// Runs the command line to its end and returns the exit status.
int RunCommandLine(int argc, char* argv[]);
