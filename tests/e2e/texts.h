// The program's texts as the user sees them, written out once for every Wine
// suite that checks them or finds a window by them. The suites compare them
// with the real windows and boxes; the unit tests use the program's own
// constants instead.
#pragma once

namespace e2e {

// Window titles and classes.
constexpr char kFrameClass[] = "VeloraFrame";
constexpr char kFrameCaption[] = " Velora 2001 v5.1";
constexpr char kBoxCaption[] = "Velora 2001";  // the program's message boxes
constexpr char kAboutCaption[] = "About Velora";
constexpr char kPingCaption[] = "Ping Configuration";
constexpr char kDialUpModeCaption[] = "Automatic Mode - Dial-Up";
constexpr char kLanModeCaption[] = "Automatic Mode - LAN";
constexpr char kManualModeCaption[] = "Manual Mode";
constexpr char kCurrentSettingsCaption[] = "Current Settings";
constexpr char kMtuFinderCaption[] = "Find Largest MTU";
constexpr char kCompanionTitle[] = "VL - Net Detect";

// The Apply's boxes.
constexpr char kNoModeText[] = "No configuration mode was selected.";
constexpr char kLanQuestion[] =
    "You chose to optimize your Local Area\nNetworking (LAN) Internet connection.\n\n"
    "Are you sure that you are using LAN connection?\nIf you use Dial-Up (Modem) connection, "
    "answer 'NO'. ";
constexpr char kRestartQuestion[] =
    "System changes were successful done.\n\nIn order to enjoy all the benefits of Velora 2001\n"
    "it's highly recommended to restart your computer.\n\nWould you like to restart your "
    "computer now?";
constexpr char kRestartReminder[] =
    "Keep in mind that you must restart your\ncomputer before the new settings become "
    "effective. ";

// The companion's status line with the dialog's defaults and no connection.
constexpr char kCompanionIdleStatus[] = "Automatic, every 10 minutes: not connected";

}  // namespace e2e
