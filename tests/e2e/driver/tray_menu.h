#pragma once
// Pinora's tray menu as a user works it. Another process cannot read a popup menu, so it is
// driven by keys, as with the keyboard, and each choice is checked by its effect.
#include <windows.h>

#include <vector>

#include "driver.h"

namespace pnrtest {

constexpr UINT kTrayCallback = 2000;
constexpr UINT kTrayIconId = 1000;

// The menu window Pinora shows now; null when none is open.
HWND VisibleMenuOf(const PinoraApp& app);
// Right-clicks the tray icon and waits for the menu; null when none opened.
HWND OpenTrayMenu(const PinoraApp& app);
// Opens the menu, walks it with the keys, takes the entry reached with Enter and waits until
// the chosen command has been handled. False when the menu did not open or close.
bool ChooseWithKeys(const PinoraApp& app, std::vector<WPARAM> keys);
// The root starts with "Clusters", whose submenu starts with "Manage"; the keys skip the
// column breaks. indexAfterManage counts from 1 in the order the submenu shows them.
bool ChooseCluster(const PinoraApp& app, int indexAfterManage);
bool ChooseQuickMenuEntry(const PinoraApp& app, int indexAfterClusters);

}  // namespace pnrtest
