// "Open Missing Windows": the programs of a cluster's entries that have no window are started,
// with the Quick Menu's launch rules, and the cluster is activated so that each new window is
// placed as it appears.
#include "app/layout_commands.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

#include "app/shell.h"
#include "engine/engine.h"
#include "engine/started_programs.h"
#include "ui/save_windows.h"

namespace {

constexpr unsigned kLastOpenMissingId = 2499;

bool IsClaimed(const WindowProfile& profile, const LiveWindowSequence& live) {
    return std::any_of(live.begin(), live.end(), [&profile](const WindowProfile& record) {
        WindowProfile candidate = record;
        return record.hwnd && MatchProfile(candidate, profile);
    });
}

bool ProgramFileExists(std::wstring path) {
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') path = path.substr(1, path.size() - 2);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool StartProgramOf(const WindowProfile& profile) {
    if (!ProgramFileExists(profile.exePath)) {
        Diag(L"Program of a missing window does not exist (not started).\n");
        return false;
    }
    if (!LaunchWindowProfile(profile)) {
        Diag(L"Program of a missing window could not be started.\n");
        return false;
    }
    return true;
}

// Told on a thread of its own: the main thread serves every window event meanwhile.
void ReportUnstarted(const std::vector<std::wstring>& entries) {
    std::wstring text = L"These windows could not be opened: their program is missing or did not start.\n";
    for (const std::wstring& entry : entries) text += L"\n" + entry;
    try {
        std::thread([text] { MessageBoxW(nullptr, text.c_str(), L"Pinora", MB_OK | MB_ICONWARNING); }).detach();
    } catch (const std::system_error&) {
    }
}

// The bottom window's program starts first, so that the top one's window opens on top.
std::vector<WindowProfile> ProfilesBottomFirst(const std::wstring& cluster) {
    std::vector<WindowProfile> profiles;
    for (const auto& [title, profile] : CopyClusterEntry(ClusterMap, cluster).profiles) profiles.push_back(profile);
    std::stable_sort(profiles.begin(), profiles.end(),
                     [](const WindowProfile& a, const WindowProfile& b) { return a.zLevel < b.zLevel; });
    return profiles;
}

std::wstring ClusterOfCommand(WPARAM commandId) {
    const auto clusterId = static_cast<int32_t>(IDM_CLUSTER_BASE + (commandId - IDM_OPEN_MISSING_BASE));
    for (const auto& [name, entry] : ClusterMap.Snapshot()) {
        if (entry.commandId == clusterId) return name;
    }
    return {};
}

}  // namespace

std::vector<std::wstring> OpenMissingWindows(const std::wstring& cluster) {
    Diag(L"Opening missing windows.\n");
    // Active first: a window that appears at once is placed like every later one.
    UpdateClusterMap(cluster, L"activate");
    UpdateTrayTooltip();
    RefreshLiveWindowList();
    const LiveWindowSequence live = LiveWindowList.Snapshot();
    std::vector<std::wstring> unstarted;
    for (const WindowProfile& profile : ProfilesBottomFirst(cluster)) {
        if (IsClaimed(profile, live) || IsProgramStarting(cluster, profile.sectionName)) continue;
        if (StartProgramOf(profile)) {
            NoteProgramStarted(cluster, profile);
        } else {
            unstarted.push_back(profile.sectionName);
        }
    }
    ApplyProfiles(0);
    return unstarted;
}

bool RunLayoutCommand(WPARAM commandId) {
    if (commandId == IDM_SAVE_OPEN_WINDOWS) {
        OpenSaveWindowsDialog();
        return true;
    }
    if (commandId <= IDM_OPEN_MISSING_BASE || commandId > kLastOpenMissingId) return false;
    const std::wstring cluster = ClusterOfCommand(commandId);
    if (cluster.empty()) return true;
    const std::vector<std::wstring> unstarted = OpenMissingWindows(cluster);
    if (!unstarted.empty()) ReportUnstarted(unstarted);
    return true;
}
