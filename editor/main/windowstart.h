// The start of the window: the application, the main window and, when the program was given
// one, the person file opened in it.
#pragma once

// Runs the window to its end and returns the exit status. The arguments hold at most the
// person file to open.
int RunWindow(int argc, char* argv[]);
