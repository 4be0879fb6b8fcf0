// The two in-memory maps of clusters and the activation commands that rebuild them.
#include <string_view>

#include "engine/engine.h"
#include "engine/rule_match.h"
#include "storage/catalogue.h"
#include "storage/profile.h"

GuardedValue<ClusterMapValue>& ClusterMap = *new GuardedValue<ClusterMapValue>;
GuardedValue<ClusterMapValue>& ActiveClusterMap = *new GuardedValue<ClusterMapValue>;

namespace {

// A rebuild reads the active flags, then the files, then replaces both maps: a toggle from the
// tray that lands in between would be undone by the replacement. One rebuild or activation at
// a time, from the flags it reads to the maps it writes; they make no window calls, so a
// caller waits at most for the file reads. Never destroyed, like the maps it guards.
std::mutex& ClusterRebuildMutex = *new std::mutex;

constexpr std::wstring_view kActivate = L"activate";
constexpr std::wstring_view kDeactivate = L"deactivate";
constexpr std::wstring_view kToggle = L"toggle";
constexpr std::wstring_view kReload = L"reload";

bool IsKnownCommand(const std::wstring& command) {
    return command.empty() || command == kActivate || command == kDeactivate || command == kToggle ||
           command == kReload;
}

// Which clusters are active lives only in memory: each rebuild carries it over by name.
std::map<std::wstring, bool> CurrentActiveFlags() {
    return ClusterMap.Read([](const ClusterMapValue& map) {
        std::map<std::wstring, bool> flags;
        for (const auto& [name, entry] : map) flags.emplace(name, entry.active);
        return flags;
    });
}

bool ActiveFlagAfterCommand(bool active, const std::wstring& command) {
    if (command == kActivate) return true;
    if (command == kDeactivate) return false;
    return !active;
}

// Profiles keyed by title; a later entry with a title already seen is dropped.
std::map<std::wstring, WindowProfile> ProfilesByTitle(const std::wstring& clusterName) {
    std::map<std::wstring, WindowProfile> profiles;
    for (WindowProfile& profile : LoadWindowProfiles(clusterName)) profiles.emplace(profile.title, std::move(profile));
    return profiles;
}

// Every active profile learns the live window it recognises. All live windows are tried, so
// the last one in list order wins, and one window may serve several profiles.
void BindLiveWindows(ClusterMapValue& activeMap) {
    const LiveWindowSequence liveWindows = LiveWindowList.Snapshot();
    for (auto& [name, entry] : activeMap) {
        for (auto& [title, profile] : entry.profiles) {
            for (const WindowProfile& live : liveWindows) {
                if (!live.hwnd) continue;
                WindowProfile candidate = live;
                if (MatchProfile(candidate, profile)) profile.hwnd = live.hwnd;
            }
        }
    }
}

}  // namespace

void UpdateClusterMap(const std::wstring& clusterName, const std::wstring& command) {
    if (!IsKnownCommand(command)) return;
    Diag(L"Updating cluster map.\n");
    std::lock_guard<std::mutex> rebuild(ClusterRebuildMutex);
    const std::map<std::wstring, bool> previousFlags = CurrentActiveFlags();
    ClusterMapValue fullMap;
    ClusterMapValue activeMap;
    int32_t position = 0;
    for (const std::wstring& name : ListClusterNames(AppDataPath, L"\\Pinora\\Clusters\\*.ini")) {
        ClusterEntry entry;
        entry.commandId = static_cast<int32_t>(IDM_CLUSTER_BASE) + ++position;
        const auto previous = previousFlags.find(name);
        entry.active = previous != previousFlags.end() && previous->second;
        if (!command.empty() && name == clusterName) entry.active = ActiveFlagAfterCommand(entry.active, command);
        entry.profiles = ProfilesByTitle(name);
        if (entry.active) activeMap.emplace(name, entry);
        fullMap.emplace(name, std::move(entry));
    }
    // A reload re-reads the files only: its active profiles carry no window handles.
    if (command != kReload) BindLiveWindows(activeMap);
    ClusterMap.Replace(std::move(fullMap));
    ActiveClusterMap.Replace(std::move(activeMap));
}

void ActivateClusters(const std::set<std::wstring>& clusterNames) {
    ChangeClusterActivation(clusterNames, {});
}

void ChangeClusterActivation(const std::set<std::wstring>& activate, const std::set<std::wstring>& deactivate) {
    Diag(L"Updating cluster map.\n");
    std::lock_guard<std::mutex> rebuild(ClusterRebuildMutex);
    ClusterMapValue fullMap = ClusterMap.Snapshot();
    ClusterMapValue activeMap;
    for (auto& [name, entry] : fullMap) {
        if (activate.count(name) != 0) entry.active = true;
        if (deactivate.count(name) != 0) entry.active = false;
        if (entry.active) activeMap.emplace(name, entry);
    }
    BindLiveWindows(activeMap);
    ClusterMap.Replace(std::move(fullMap));
    ActiveClusterMap.Replace(std::move(activeMap));
}

bool ContainsCluster(const GuardedValue<ClusterMapValue>& map, const std::wstring& name) {
    return map.Read([&name](const ClusterMapValue& value) { return value.count(name) != 0; });
}

ClusterEntry CopyClusterEntry(const GuardedValue<ClusterMapValue>& map, const std::wstring& name) {
    return map.Read([&name](const ClusterMapValue& value) {
        const auto found = value.find(name);
        return found == value.end() ? ClusterEntry{} : found->second;
    });
}
