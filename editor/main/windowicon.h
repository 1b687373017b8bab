// The icon every window of the program shows.
#pragma once

#include <QIcon>

// Null where the system gives every window the program file's own icon.
QIcon ProgramWindowIcon();
