#include "state/choices.h"

namespace vl {

std::string ModePaneText(int configMode) {
  switch (configMode) {
    case ModeAutoDialUp: return " Automatic Mode - Dial-Up ";
    case ModeAutoLan: return "   Automatic Mode - LAN";
    case ModeManual: return "           Manual Mode";
    case ModeManualDialUp: return "   Manual Mode - Dial-Up";
    case ModeManualLan: return "      Manual Mode - LAN";
    default: return std::string();
  }
}

}  // namespace vl
