// What the program sets up on the application before its first window, in one place, so that
// the start-up benchmark times the same start-up as the program.
#pragma once

// Our icon on every window, Qt's own texts in Japanese and the conduct shared by every window.
void PrepareApplication();
