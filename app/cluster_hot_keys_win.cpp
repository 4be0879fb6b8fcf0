// Cluster hot keys. Registered by the main thread, so their WM_HOTKEY arrives at the
// notification window; the Cluster Management window asks for a new registration after
// each change of a cluster file instead of registering on its own thread.
#include "app/cluster_hot_keys.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/shell.h"
#include "base/guarded_value.h"
#include "engine/engine.h"
#include "storage/hot_key_text.h"
#include "storage/ini.h"
#include "ui/hot_key_link.h"

namespace {

struct HeldHotKey {
    std::wstring cluster;
    HotKey hotKey;
};

// Entry n holds id HOTKEY_ID_CLUSTER_BASE + n. Never destroyed: the Cluster Management
// thread may still read it while the process exits.
GuardedValue<std::vector<HeldHotKey>>& HeldHotKeys = *new GuardedValue<std::vector<HeldHotKey>>;

std::optional<HotKey> StoredHotKey(const std::wstring& cluster) {
    return ParseHotKey(ReadClusterValue(cluster, L"Configuration", kHotKeyKey, L""));
}

// One balloon for every combination refused: the start-up says it once, then stays quiet.
void ShowTakenBalloon(const std::wstring& lines) {
    NOTIFYICONDATAW balloon = TrayIconData;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_WARNING;
    wcsncpy_s(balloon.szInfoTitle, L"Cluster hot keys taken", _TRUNCATE);
    wcsncpy_s(balloon.szInfo, lines.c_str(), _TRUNCATE);
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

}  // namespace

void UnregisterClusterHotKeys() {
    const size_t count = HeldHotKeys.Snapshot().size();
    for (size_t n = 0; n < count; ++n) UnregisterHotKey(NotifyWindow, HOTKEY_ID_CLUSTER_BASE + static_cast<int>(n));
    HeldHotKeys.Replace({});
}

void RegisterClusterHotKeys(HotKeyReport report) {
    UnregisterClusterHotKeys();
    std::vector<HeldHotKey> held;
    std::wstring taken;
    for (const auto& [name, entry] : ClusterMap.Snapshot()) {
        const std::optional<HotKey> hotKey = StoredHotKey(name);
        if (!hotKey) continue;
        const int id = HOTKEY_ID_CLUSTER_BASE + static_cast<int>(held.size());
        if (id <= HOTKEY_ID_CLUSTER_LAST &&
            RegisterHotKey(NotifyWindow, id, hotKey->modifiers | MOD_NOREPEAT, hotKey->virtualKey)) {
            held.push_back({name, *hotKey});
            continue;
        }
        const std::wstring line = HotKeyText(*hotKey) + L" of the cluster \"" + name + L"\"";
        Diag(L"Hot key not registered, taken by another program or cluster: " + line + L"\n");
        taken += (taken.empty() ? L"" : L"\n") + line;
    }
    HeldHotKeys.Replace(std::move(held));
    if (report == HotKeyReport::TakenAtStartUp && !taken.empty()) ShowTakenBalloon(taken);
}

bool OnClusterHotKey(WPARAM id) {
    if (id < HOTKEY_ID_CLUSTER_BASE || id > HOTKEY_ID_CLUSTER_LAST) return false;
    const size_t n = id - HOTKEY_ID_CLUSTER_BASE;
    const std::wstring cluster = HeldHotKeys.Read(
        [n](const std::vector<HeldHotKey>& held) { return n < held.size() ? held[n].cluster : std::wstring(); });
    if (cluster.empty() || !ContainsCluster(ClusterMap, cluster)) return true;
    UpdateClusterMap(cluster, L"toggle");
    UpdateTrayTooltip();
    ApplyProfiles(0);
    return true;
}

bool PinoraHoldsClusterHotKey(const HotKey& hotKey) {
    return HeldHotKeys.Read([&](const std::vector<HeldHotKey>& held) {
        return std::any_of(held.begin(), held.end(), [&](const HeldHotKey& entry) { return entry.hotKey == hotKey; });
    });
}
