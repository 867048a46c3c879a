// How the form adapts to large system fonts. The test is the pixel width of
// the Apply button: 88 pixels is what large fonts make of it.
#pragma once

namespace vl {
struct AppState;

constexpr int kLargeFontApplyWidth = 88;

struct ControlPosition {
  int id;
  int x, y;  // pixels in the form's client area
};
// The eight controls that large fonts move; everything else keeps the
// template's place.
extern const ControlPosition kLargeFontPositions[8];
// The three lists whose selection-field height the layout sets, in order.
extern const int kLayoutLists[3];

// The main frame's normal position under large fonts: 800 x 546 pixels far
// off the screen, until it is centred.
struct FrameRect {
  int left, top, right, bottom;
};
constexpr FrameRect kLargeFontFrameRect = {-100000, 0, -99200, 546};

struct FontLayoutPlan {
  bool placeFrame = false;   // give the frame kLargeFontFrameRect
  bool centreFrame = false;  // then centre it on the screen
  bool moveControls = false;  // kLargeFontPositions
  int listItemHeight = 13;   // selection-field height of the three lists
};

// Sets LargeFontLayout when the Apply button is 88 pixels wide (never clears
// it) and says what the view does to its frame and controls.
FontLayoutPlan PlanFontLayout(AppState& app, int applyWidthPx);

}  // namespace vl
