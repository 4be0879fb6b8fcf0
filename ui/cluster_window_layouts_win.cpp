// The Cluster Management window's part in whole layouts: it shows a cluster saved from the open
// windows at once, and its Clusters pane opens the selected cluster's missing windows.
#include "base/ids.h"
#include "base/own_windows.h"
#include "engine/engine.h"
#include "ui/cluster_window.h"
#include "ui/save_windows.h"

void ShowSavedCluster(ClusterWindowState& state) {
    RefreshClusterManagement(state.window);
    const HWND list = Item(state, IDC_CLUSTER_LIST);
    const std::wstring name = LastSavedCluster();
    const LRESULT index =
        SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    if (index == LB_ERR) return;
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowSelectedCluster(state);
}

// The starts, their bookkeeping and the placing belong to the main thread: the command goes there.
void OnOpenMissingWindows(const ClusterWindowState& state) {
    const std::wstring cluster = SelectedItemText(Item(state, IDC_CLUSTER_LIST));
    if (cluster.empty()) return;
    if (!ContainsCluster(ClusterMap, cluster)) UpdateClusterMap(L"", L"");
    const int32_t commandId = CopyClusterEntry(ClusterMap, cluster).commandId;
    const HWND notifyWindow = FindOwnWindow(L"PinoraNotifyWindow");
    if (commandId <= static_cast<int32_t>(IDM_CLUSTER_BASE) || !notifyWindow) return;
    PostMessageW(notifyWindow, WM_COMMAND, IDM_OPEN_MISSING_BASE + (commandId - IDM_CLUSTER_BASE), 0);
}
