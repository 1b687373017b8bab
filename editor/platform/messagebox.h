// The real message box: a Qt message box with the application title.
#pragma once

#include "messages.h"

// Makes ShowMessage draw real message boxes, modal over the active window.
void UseRealMessageBoxes();
