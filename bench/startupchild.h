// A process that starts, shows one window (the editor's main window or an empty window), and
// ends: what the start-up benchmark times.
#pragma once

inline constexpr const char* kStartUpChildOption = "--start-up-child";

// argv[2] is "editor" or "empty"; the data folder comes from DROVANTEL_BENCH_DATA.
int RunStartUpChild(int argc, char* argv[]);
