// Window layouts are given in twips; 15 twips make one device-independent pixel.
#pragma once

#include <QRect>

// Rounded to the nearest pixel: truncation would make 325 twips 21 px instead of 22.
inline constexpr int Twips(int twips) {
    return (twips >= 0 ? twips + 7 : twips - 7) / 15;
}
inline constexpr int PixelsToTwips(int pixels) {
    return pixels * 15;
}
inline QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}
