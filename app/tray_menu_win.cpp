// The tray menu: built from its model on every right-click and tracked at the cursor.
#include <vector>

#include "app/quick_menu.h"
#include "app/shell.h"
#include "app/tray_menu_model.h"
#include "base/win_handles.h"
#include "engine/engine.h"
#include "storage/catalogue.h"

std::map<std::wstring, uint64_t> QuickMenuIdMap;

namespace {

void ShowMenuWarnings(int count, const wchar_t* text) {
    for (int i = 0; i < count; ++i) MessageBoxW(nullptr, text, L"Error!", MB_ICONWARNING);
}

ClusterMenuStates ClusterMenuStatesOf(const GuardedValue<ClusterMapValue>& map) {
    return map.Read([](const ClusterMapValue& value) {
        ClusterMenuStates states;
        for (const auto& [name, entry] : value) states[name] = {entry.commandId, entry.active};
        return states;
    });
}

QuickMenuSection FillQuickMenu() {
    Diag(L"Adding quickMenu to tray menu.\n");
    QuickMenuSection section = BuildQuickMenuSection(LoadClusterList());
    if (section.hasIds) QuickMenuIdMap = section.ids;
    ShowMenuWarnings(section.emptyNameCount, L"Problem appending clusters");
    return section;
}

ClusterSubmenuSection FillClusterSubmenu() {
    Diag(L"Adding clusters to tray menu.\n");
    const std::vector<std::wstring> listed = ListClusterNames(AppDataPath, L"\\Pinora\\Clusters\\*.ini");
    ClusterMenuStates states = ClusterMenuStatesOf(ClusterMap);
    // Files added or removed behind the program's back shift the ids; a rebuild makes the
    // ids shown here the ones a chosen entry is looked up by.
    if (!listed.empty() && !ClusterMapMatchesListing(listed, states)) {
        UpdateClusterMap(L"", L"");
        states = ClusterMenuStatesOf(ClusterMap);
    }
    ClusterSubmenuSection section = BuildClusterSubmenuSection(listed, states);
    ShowMenuWarnings(section.emptyNameCount, L"Problem loading all clusters");
    return section;
}

UniqueHmenu CreateMenuFrom(const std::vector<TrayMenuItem>& items) {
    UniqueHmenu menu(CreatePopupMenu());
    if (!menu) return menu;
    for (const TrayMenuItem& item : items) {
        switch (item.kind) {
            case TrayMenuItem::Kind::ColumnBreak:
                AppendMenuW(menu.get(), MF_MENUBARBREAK, 0, nullptr);
                break;
            case TrayMenuItem::Kind::Command:
                AppendMenuW(menu.get(), MF_STRING | (item.checked ? MF_CHECKED : 0), item.id, item.text.c_str());
                break;
            case TrayMenuItem::Kind::Submenu: {
                UniqueHmenu submenu = CreateMenuFrom(item.children);
                // Once attached, the submenu is destroyed with its parent.
                if (submenu &&
                    AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.get()), item.text.c_str())) {
                    submenu.release();
                }
                break;
            }
        }
    }
    return menu;
}

}  // namespace

void ShowTrayMenu() {
    Diag(L"Generating tray menu.\n");
    const QuickMenuSection quickMenu = FillQuickMenu();
    const ClusterSubmenuSection clusters = FillClusterSubmenu();
    const UniqueHmenu menu = CreateMenuFrom(AssembleTrayMenu(quickMenu, clusters));
    if (!menu) return;

    POINT cursor = {};
    GetCursorPos(&cursor);
    SetForegroundWindow(NotifyWindow);
    TrackPopupMenu(menu.get(), TPM_LEFTBUTTON, cursor.x, cursor.y, 0, NotifyWindow, nullptr);
    // Lets the menu close properly when the user clicks elsewhere.
    PostMessageW(NotifyWindow, WM_NULL, 0, 0);
}
