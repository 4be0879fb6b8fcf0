#pragma once
// Every private message, command id and control-id block of the program, in one place.
#include <cstdint>

// Tray icon and hot key.
constexpr unsigned TRAY_ICON_ID = 1000;
constexpr unsigned TRAY_CALLBACK_MESSAGE = 2000;
constexpr int HOTKEY_ID_OPEN = 1;
// Cluster hot keys: the n-th one registered is 2 + n, up to 999; the Clusters pane tries a
// combination under the spare id.
constexpr int HOTKEY_ID_CLUSTER_BASE = 2;
constexpr int HOTKEY_ID_CLUSTER_LAST = 999;
constexpr int HOTKEY_ID_PANE_TRY = 1000;

// Private window messages (WM_USER is 0x0400).
constexpr unsigned WM_PNR_LOAD_PROFILE = 0x0400 + 101;
constexpr unsigned WM_PNR_RELOAD = 0x0400 + 102;
// To the Inspector window: records for it to show are waiting (ShowInInspector, other threads).
constexpr unsigned WM_PNR_INSPECT = 0x0400 + 140;
// To the notification window: the active clusters changed on another thread; the tooltip is
// the main thread's to update.
constexpr unsigned WM_PNR_UPDATE_TOOLTIP = 0x0400 + 145;

// Tray menu commands.
constexpr unsigned IDM_QUIT = 1001;
constexpr unsigned IDM_CONFIGURE = 1002;
constexpr unsigned IDM_HELP = 1003;
constexpr unsigned IDM_ABOUT = 1004;
constexpr unsigned IDM_CHECK_UPDATES = 1005;
constexpr unsigned IDM_MANAGE = 1006;
constexpr unsigned IDM_CLUSTER_BASE = 1006;    // cluster n is 1006 + n, up to 1499
constexpr unsigned IDM_QUICKMENU_BASE = 1500;  // Quick Menu entry n is 1500 + n, up to 1999
constexpr unsigned IDM_SAVE_OPEN_WINDOWS = 2000;
constexpr unsigned IDM_OPEN_MISSING_BASE = 2000;  // "Open Missing Windows" of cluster n is 2000 + n, up to 2499

// Control identifier blocks of the configuration windows.
constexpr int IDC_CLUSTER_WINDOW_BASE = 3000;
constexpr int IDC_INSPECTOR_BASE = 4000;
constexpr int IDC_RULES_BASE = 5000;
constexpr int IDC_SETTINGS_BASE = 6000;

// ---- Cluster Management window controls (3000 block) ----
constexpr int IDC_CLUSTER_NAME = 3000;  // the name box
constexpr int IDC_ACTIVATE_ON_STARTUP = 3001;
constexpr int IDC_LAUNCH_WITH_QUICKMENU = 3002;
constexpr int IDC_SHOW_IN_QUICK_MENU = 3003;
constexpr int IDC_SUPERGLUE = 3004;
constexpr int IDC_SHARP_CORNERS = 3005;
constexpr int IDC_CLUSTER_LIST = 3006;
constexpr int IDC_WINDOW_LIST = 3007;
constexpr int IDC_CLUSTER_NEW = 3008;
constexpr int IDC_CLUSTER_RULES = 3009;
constexpr int IDC_CLUSTER_DELETE = 3010;
constexpr int IDC_CLUSTER_APPLY = 3011;
constexpr int IDC_CLUSTER_OK = 3012;
constexpr int IDC_MOVE_TO_DESKTOP = 3013;
constexpr int IDC_ONLY_WITH_THESE_MONITORS = 3014;  // three states: tied here, tied elsewhere only, untied
constexpr int IDC_DISPLAY_SETUP_TEXT = 3015;        // the words under it
constexpr int IDC_HOT_KEY_LABEL = 3016;
constexpr int IDC_CLUSTER_HOT_KEY = 3017;  // the system hot-key control
constexpr int IDC_CLEAR_HOT_KEY = 3018;
constexpr int IDC_HOT_KEY_NOTE = 3019;  // why the combination is refused
// To the notification window: a cluster file's hot key, name or existence changed.
constexpr unsigned WM_PNR_HOT_KEYS_CHANGED = 0x0400 + 155;

// ---- Inspector window controls (4000 block) ----
constexpr int IDC_INSPECTOR_CLUSTER = 4000;
constexpr int IDC_INSPECTOR_LAUNCH = 4004;
constexpr int IDC_INSPECTOR_SUPERGLUE = 4008;
constexpr int IDC_INSPECTOR_CORNERS = 4012;  // Windows 11 only
constexpr int IDC_INSPECTOR_X = 4016;
constexpr int IDC_INSPECTOR_Y = 4020;
constexpr int IDC_INSPECTOR_WIDTH = 4024;
constexpr int IDC_INSPECTOR_HEIGHT = 4028;
constexpr int IDC_INSPECTOR_GLUE = 4032;
constexpr int IDC_INSPECTOR_RULES = 4036;
constexpr int IDC_INSPECTOR_NAME = 4040;
constexpr int IDC_INSPECTOR_CHOOSER = 4044;
constexpr int IDC_INSPECTOR_Z = 4048;
constexpr int IDC_INSPECTOR_DESKTOP = 4052;
constexpr int IDC_INSPECTOR_NOTE = 4056;  // why "Glue" is not offered

// ---- Rules editor controls (5000 block) ----
// Control n of the editor's control list is 5000 + 4 * n: the OK button is control 0, then
// seven controls per rule row. A deleted row renumbers the rows below it.
constexpr int IDC_RULES_OK = IDC_RULES_BASE + 0;
constexpr int IDC_RULES_STEP = 4;

// ---- Settings window controls (6000 block) ----
// Control n of the window's control list is 6000 + 4 * n; the label and the frame have none.
constexpr int IDC_SETTINGS_OK = IDC_SETTINGS_BASE + 0;
constexpr int IDC_SETTINGS_BROWSE = IDC_SETTINGS_BASE + 4;
constexpr int IDC_SETTINGS_FOCUS_DECOY = IDC_SETTINGS_BASE + 8;
constexpr int IDC_SETTINGS_TIME_DELAY = IDC_SETTINGS_BASE + 12;
constexpr int IDC_SETTINGS_START_WITH_WINDOWS = IDC_SETTINGS_BASE + 16;
constexpr int IDC_SETTINGS_APPLY = IDC_SETTINGS_BASE + 20;

// ---- "Save Open Windows" dialog (7000 block) and the layout commands ----
constexpr int IDC_SAVE_WINDOWS_NAME = 7000;
constexpr int IDC_SAVE_WINDOWS_NOTE = 7004;     // why "Save" is not offered, or what it saves
constexpr int IDC_OPEN_MISSING_WINDOWS = 3020;  // the Clusters pane's button
// To the Cluster Management window: a cluster was saved from the open windows; show it.
constexpr unsigned WM_PNR_CLUSTER_SAVED = 0x0400 + 150;

// Resources.
constexpr int IDI_PINORA_LIGHT = 101;  // dark art, for light taskbars and all configuration windows
constexpr int IDI_PINORA_DARK = 102;   // light art, for dark taskbars
constexpr int IDR_EDDSA_PUBLIC_KEY = 67;
