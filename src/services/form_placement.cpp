#include "services/form_placement.h"

namespace tav {

PlacedPoint CenterOnFormPosition(int formLeft, int formTop, int formWidth, int formHeight,
                                 int width, int height, int screenWidth, int screenHeight) {
  int left = formLeft + formWidth / 2 - width / 2;
  int top = formTop + formHeight / 2 - height / 2;
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  if (left + width > screenWidth) left = screenWidth - width;
  if (top + height > screenHeight) top = screenHeight - height;
  return {left, top};
}

}  // namespace tav
