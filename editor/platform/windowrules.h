// Conduct shared by every window of the program, kept in one place.
#pragma once

#include <QPoint>
#include <QRect>

class QDialog;
class QWidget;

// Installed once on the application, so that it holds for every window the program makes:
// - Enter as on the system the game runs on: no window has a default button, and Enter presses
//   a push button only while that very button has the keyboard focus; anywhere else it presses
//   nothing. The platform's own message boxes and file dialog keep their default buttons.
// - Every window opens inside its screen's available area, its frame and title bar included:
//   centred over the window it belongs to (on the screen when it has none) unless it was placed
//   already, then moved inside; a resizable window larger than the area is made to fit it.
//   A window that grows later is moved back inside. A window whose controls scroll is made
//   to fit however small the area.
void InstallWindowRules();

// Where a window with the frame `frame` goes so that it lies inside `area`: moved in from any
// edge it crosses; a window larger than the area starts at the area's top-left corner, so its
// title bar and top-left controls can be reached.
QPoint PositionInside(const QRect& frame, const QRect& area);

// Shows the controls of a dialog of a fixed size in an area that scrolls when the screen's
// available area cannot hold the dialog whole; wherever it fits, nothing changes. Called once
// the controls are placed and the size is set, or once the layout is set that fixes the
// dialog's size as its contents come and go; they move over as they are.
void ScrollWhenTooLarge(QDialog* dialog);

// Shows the placed controls of a resizable window in an area that fills the window and
// scrolls while the window is smaller than its minimumSizeHint(), as it is made on a screen
// too small for that size; at that size and above the controls stand where they stood.
// Called once the controls are placed; returns the widget that now holds them.
QWidget* ScrollBelowMinimumSize(QWidget* window);
// Called by such a window once it has placed its controls anew for its size: what it keeps
// beyond the window's minimum, as a list that does not shrink, scrolls into view as well.
void ScrollOverControls(QWidget* window);
