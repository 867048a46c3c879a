#include "form/form_layout.h"

#include "state/app_state.h"
#include "res/resource.h"

namespace vl {

const ControlPosition kLargeFontPositions[8] = {
    {IDC_HELP_MTU, 75, 240},       {IDC_HELP_RWIN, 330, 240},       {IDC_HELP_TTL, 593, 240},
    {IDC_HELP_KEEPALIVE, 185, 290}, {IDC_HELP_PMTU, 525, 290},       {IDC_HELP_NDI, 733, 290},
    {IDC_PMTU_DISCOVERY, 254, 324}, {IDC_PMTU_BLACKHOLE, 418, 324},
};

const int kLayoutLists[3] = {IDC_RWIN_COMBO, IDC_KEEPALIVE_COMBO, IDC_NDI_COMBO};

FontLayoutPlan PlanFontLayout(AppState& app, int applyWidthPx) {
  FontLayoutPlan plan;
  if (applyWidthPx == kLargeFontApplyWidth) {
    app.LargeFontLayout = true;
    plan.placeFrame = true;
    // A hidden "detect" run keeps its frame off the screen.
    plan.centreFrame = app.m_strCommand != "detect";
  }
  if (app.LargeFontLayout) {
    plan.moveControls = true;
    plan.listItemHeight = 16;
  }
  return plan;
}

}  // namespace vl
