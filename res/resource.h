// Resource and control identifiers shared by the resource script and the code.
// Plain #defines so that windres, the Win32 shell and the portable core can all
// include this header.
#pragma once

// Resources
#define IDR_MAINFRAME               128
#define IDD_ABOUTBOX                130
#define IDD_VELORA_FORM             101
#define IDD_AUTO_MODE               146
#define IDD_PING_CONFIG             155
#define IDD_CURRENT_SETTINGS        170
#define IDD_MTU_FINDER              175

#define IDI_TRAY_FRAME3             132
#define IDI_TRAY_FRAME1             133
#define IDI_TRAY_FRAME2             134
#define IDI_TRAY_FRAME0             135
#define IDI_MODE_LAN                142
#define IDI_MODE_DIALUP             143
#define IDI_MODE_MANUAL             145
#define IDI_AUTO_MANUAL             147
#define IDI_AUTO_LAN                148
#define IDI_AUTO_DIALUP             149
#define IDB_ABOUT                   152
#define IDI_PING_DIALOG             157
#define IDI_PING_WINDOW             158
#define IDI_ABOUT                   161
#define IDC_LINK_CURSOR_RES         32513  // never present in our resources

// Strings
#define IDS_APP_TITLE               57344  // "VELORA"
#define IDS_IDLE_MESSAGE            57345  // AFX_IDS_IDLEMESSAGE

// Status-bar indicators
#define ID_INDICATOR_MODE           57346
#define ID_INDICATOR_OS             57347

// Commands
#define ID_HELP_WEB_SUPPORT         32772
#define ID_REGISTRY_BACKUP          32775
#define ID_CPL_INTERNET             32776
#define ID_CPL_SYSTEM               32777
#define ID_CPL_MODEMS               32778
#define ID_CPL_NETWORK              32779
#define ID_TOOLBAR_SPACER           32780
#define ID_APPLY_NEW_SETTINGS       32781
#define ID_PING_CONFIGURATION       32786
#define ID_RESTORE_ORIGINAL         32787
#define ID_UNDO_CHANGES             32790
#define ID_CURRENT_SETTINGS         32791
#define ID_FIND_MTU                 32792
#define ID_FILE_NEW                 57600
#define ID_FILE_OPEN                57601
#define ID_FILE_PRINT_SETUP         57606
#define ID_APP_ABOUT                57664
#define ID_APP_EXIT                 57665
#define ID_HELP_INDEX               57666
#define ID_VIEW_TOOLBAR             59392
#define ID_VIEW_STATUS_BAR          59393

// Frame child windows (framework ids)
#define AFX_IDW_TOOLBAR             0xE800
#define AFX_IDW_STATUS_BAR          0xE801
#define AFX_IDW_PANE_FIRST          0xE900

// Form view (template 101)
#define IDC_MTU_DEFAULT             1001
#define IDC_MTU_576                 1002
#define IDC_MTU_CUSTOM              1003
#define IDC_CAPTION_DIALUP          1007
#define IDC_CAPTION_LAN             1008
#define IDC_CAPTION_MANUAL          1009
#define IDC_MTU_EDIT                1010
#define IDC_HELP_MTU                1011
#define IDC_HELP_RWIN               1012
#define IDC_HELP_TTL                1013
#define IDC_APPLY                   1014
#define IDC_RWIN_DEFAULT            1015
#define IDC_RWIN_X6                 1016
#define IDC_RWIN_CUSTOM             1017
#define IDC_FORM_PROGRESS           1021
#define IDC_TTL_EDIT                1022
#define IDC_TTL_DEFAULT             1023
#define IDC_TTL_128                 1024
#define IDC_TTL_CUSTOM              1025
#define IDC_MODE_MANUAL             1026
#define IDC_MODE_DIALUP             1027
#define IDC_LABEL_MAXMTU            1028
#define IDC_KEEPALIVE_DEFAULT       1029
#define IDC_PMTU_DISCOVERY          1031
#define IDC_PMTU_BLACKHOLE          1032
#define IDC_HELP_KEEPALIVE          1033
#define IDC_HELP_PMTU               1034
#define IDC_MASK_PMTU               1035
#define IDC_MASK_KEEPALIVE          1036
#define IDC_LABEL_RWIN              1037
#define IDC_LABEL_TTL               1038
#define IDC_LABEL_MSS               1039
#define IDC_MODE_LAN                1040
#define IDC_RWIN_COMBO              1041
#define IDC_NDI_DEFAULT             1042
#define IDC_KEEPALIVE_COMBO         1043
#define IDC_NDI_CUSTOM              1044
#define IDC_HELP_NDI                1048
#define IDC_MASK_NDI                1049
#define IDC_NDI_COMBO               1050
#define IDC_NDI_16                  1051
#define IDC_HELP_BUTTON             1053
#define IDC_KEEPALIVE_10            1054
#define IDC_KEEPALIVE_CUSTOM        1055
#define IDC_PING_CONFIG             1056

// Automatic-mode dialog (template 146)
#define IDC_AUTO_ADAPTER_DIALUP     1001
#define IDC_AUTO_TEXT_APPLY         1002
#define IDC_AUTO_ADAPTER_LAN        1003
#define IDC_AUTO_HELP               1049
#define IDC_AUTO_ICON               1050
#define IDC_AUTO_TEXT_MODE          1051
#define IDC_AUTO_TEXT_INFO          1052

// Ping Configuration dialog (template 155)
#define IDC_PING_HELP               3
#define IDC_PING_DEFAULT            4
#define IDC_PING_MANUAL             1026
#define IDC_PING_ICON               1050
#define IDC_PING_INTERVAL           1060
#define IDC_PING_SOUND              1062
#define IDC_PING_AUTO               1063
#define IDC_PING_HOST               1064
#define IDC_PING_TEXT               1065
#define IDC_PING_TASKBAR_ANI        1066

// About box (template 130)
#define IDC_ABOUT_WEB_LABEL         1002
#define IDC_ABOUT_CLOSE             1005
#define IDC_ABOUT_NOTICE1           1008
#define IDC_ABOUT_NOTICE2           1009
#define IDC_ABOUT_MAIL_LABEL        1010
#define IDC_ABOUT_WEB_LINK          1090
#define IDC_ABOUT_MAIL_LINK         1091

// Current Settings dialog (template 170)
#define IDC_SETTINGS_LIST           1200
#define IDC_SETTINGS_COPY           1201

// Find Largest MTU dialog (template 175)
#define IDC_FINDMTU_HOST            1300
#define IDC_FINDMTU_START           1301
#define IDC_FINDMTU_STOP            1302
#define IDC_FINDMTU_LIST            1303
#define IDC_FINDMTU_RESULT          1304
#define IDC_FINDMTU_USE             1305
#define IDC_FINDMTU_HELP            1306

// Tray icon
#define ID_TRAY_ICON                100
#define WM_TRAY_NOTIFY_MSG          (0x0400 + 100)
#define WM_PING_SETTINGS_CHANGED_MSG (0x0400 + 88)
