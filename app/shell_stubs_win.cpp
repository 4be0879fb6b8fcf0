// Placeholders for the tray menu, the tooltip, the update library and the Quick Menu
// launcher until they are built.
#include "app/shell.h"

void ShowTrayMenu() {}
void UpdateTrayTooltip() {}
void SetUpUpdates() {}
void CheckForUpdatesInteractively() {}
void CleanUpUpdates() {}
void LaunchWindowProfile(const WindowProfile&) {}

#include "app/quick_menu.h"
std::map<std::wstring, uint64_t> QuickMenuIdMap;
