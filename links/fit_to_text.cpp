#include "links/fit_to_text.h"

namespace vl {

LinkRect FitRectToText(LinkRect r, int textWidth, int textHeight, unsigned style) {
  if (style & kSsCenterImage) {
    int half = ((r.bottom - r.top) - textHeight) / 2;
    r.top += half;
    r.bottom -= half;
  } else {
    r.bottom = r.top + textHeight;
  }
  // The alignment is a value of the type field, not a set of bits: SS_SIMPLE
  // and friends share bits with SS_CENTER and SS_RIGHT.
  unsigned type = style & kSsTypeMask;
  if (type == kSsCenter) {
    int half = ((r.right - r.left) - textWidth) / 2;
    r.left += half;
    r.right -= half;
  } else if (type == kSsRight) {
    r.left = r.right - textWidth;
  } else {
    r.right = r.left + textWidth;
  }
  return r;
}

}  // namespace vl
