// Where a link's window goes when it is fitted to its text.
#pragma once

namespace vl {

struct LinkRect {
  int left, top, right, bottom;
};

// Static styles that decide the anchoring.
constexpr unsigned kSsCenter = 0x0001;
constexpr unsigned kSsRight = 0x0002;
constexpr unsigned kSsTypeMask = 0x001F;
constexpr unsigned kSsCenterImage = 0x0200;

// The rectangle `r` (parent coordinates) fitted to a text of the given
// size: vertically centred with SS_CENTERIMAGE, else top kept; horizontally
// centred with SS_CENTER, right edge kept with SS_RIGHT, else left kept.
// Centring splits the difference, the half rounded toward zero.
LinkRect FitRectToText(LinkRect r, int textWidth, int textHeight, unsigned style);

}  // namespace vl
