// Pinora's tray menu, opened by a right-click on its icon and walked with the keys.
#include "driver/driver.h"

namespace pnrtest {

HWND VisibleTrayMenu(const PinoraApp& app) {
    for (HWND w : TopLevelWindowsOf(app.ProcessId(), L"#32768")) {
        if (IsWindowVisible(w)) return w;
    }
    return nullptr;
}

HWND OpenTrayMenu(const PinoraApp& app) {
    app.Post(kTrayCallback, 0, WM_RBUTTONUP);
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = VisibleTrayMenu(app)) != nullptr; }, 3000ms);
    return menu;
}

bool ChooseFromTrayMenu(const PinoraApp& app, std::vector<WPARAM> keys) {
    HWND menu = OpenTrayMenu(app);
    if (!menu) return false;
    keys.push_back(VK_RETURN);
    for (WPARAM key : keys) PostMessageW(menu, WM_KEYDOWN, key, 0);
    if (!WaitUntil([&] { return VisibleTrayMenu(app) == nullptr; }, 3000ms)) return false;
    // The chosen command arrives as a posted WM_COMMAND, and window events raised next can
    // overtake it: it is handled first.
    return app.Sync();
}

bool ChooseCluster(const PinoraApp& app, int indexAfterManage) {
    // "Save Open Windows…" and "Open Missing Windows" follow "Manage".
    std::vector<WPARAM> keys = {VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN};
    keys.insert(keys.end(), static_cast<size_t>(indexAfterManage), VK_DOWN);
    return ChooseFromTrayMenu(app, keys);
}

bool ChooseSaveOpenWindows(const PinoraApp& app) {
    return ChooseFromTrayMenu(app, {VK_DOWN, VK_RIGHT, VK_DOWN});
}

bool ChooseOpenMissingWindows(const PinoraApp& app, int clusterIndex) {
    std::vector<WPARAM> keys = {VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RIGHT};
    keys.insert(keys.end(), static_cast<size_t>(clusterIndex - 1), VK_DOWN);
    return ChooseFromTrayMenu(app, keys);
}

bool ChooseQuickMenuEntry(const PinoraApp& app, int indexAfterClusters) {
    std::vector<WPARAM> keys = {VK_DOWN};
    keys.insert(keys.end(), static_cast<size_t>(indexAfterClusters), VK_DOWN);
    return ChooseFromTrayMenu(app, keys);
}

}  // namespace pnrtest
