#pragma once
// Where a dialog goes when it is centred over a form and kept on the screen.

namespace tav {

struct PlacedPoint {
  int left;
  int top;
};

// Centres a width × height control over the form, then moves it back onto a screen of the
// given size (a control larger than the screen ends at a negative position).
PlacedPoint CenterOnFormPosition(int formLeft, int formTop, int formWidth, int formHeight,
                                 int width, int height, int screenWidth, int screenHeight);

}  // namespace tav
