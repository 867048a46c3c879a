// Resource, command and message identifiers of vldetect.exe, shared by its
// resource script, its window and the tests that drive it. Plain #defines so
// that windres can read them too.
#pragma once

#define IDI_VLDETECT                1    // the program's icon
#define IDR_VLDETECT_MENU           200  // the tray icon's menu

#define ID_VLDETECT_PING_NOW        40001
#define ID_VLDETECT_CONFIGURATION   40002
#define ID_VLDETECT_EXIT            40003

// The hidden child whose text is the status line (the tooltip's text).
#define IDC_VLDETECT_STATUS         100

#define VLDETECT_TRAY_ID            1
#define WM_VLDETECT_TRAY            (0x8000 + 1)  // WM_APP + 1: the tray icon's mouse messages
#define WM_VLDETECT_PING_DONE       (0x8000 + 2)  // a ping's outcome from its thread
