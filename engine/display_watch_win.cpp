// The settle sequence on the main thread's clock and timer, and the clusters that follow the
// connected display setup.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

#include "engine/display_ties.h"
#include "engine/display_watch.h"
#include "engine/engine.h"
#include "engine/tray_link.h"
#include "storage/ini.h"

namespace {

// All of it lives on the main thread, which receives the notices and runs the timer.
SettleSequence Sequence;
UINT_PTR SettleTimer = 0;
std::optional<DisplaySetup> LastFollowedSetup;

int64_t NowMs() {
    return static_cast<int64_t>(GetTickCount64());
}

std::vector<ClusterTies> ReadClusterTies() {
    const std::vector<std::wstring> names = ClusterMap.Read([](const ClusterMapValue& map) {
        std::vector<std::wstring> list;
        for (const auto& entry : map) list.push_back(entry.first);
        return list;
    });
    std::vector<ClusterTies> ties;
    for (const std::wstring& name : names) {
        ties.push_back({name, ParseSetupList(ReadClusterValue(name, L"Configuration", kDisplaySetupsKey, L""))});
    }
    return ties;
}

void FollowSetup(const DisplaySetup& connected) {
    if (!IsNewSetup(LastFollowedSetup, connected)) return;
    const ActivationChange change = ActivationForSetup(ReadClusterTies(), LastFollowedSetup, connected);
    LastFollowedSetup = connected;
    if (change.empty()) return;
    Diag(L"Display setup changed: tied clusters follow it.\n");
    ChangeClusterActivation(change.activate, change.deactivate);
    UpdateTrayTooltip();
}

bool RunSettlePass() {
    Diag(L"Display settle pass.\n");
    ForgetMonitorRects();  // the monitors may have changed again since the notice
    FollowSetup(ReadDisplaySetup());
    RefreshLiveWindowList();
    return ApplyProfiles(0) > 0;
}

void Arm(const SettleStep& step);

void CALLBACK OnSettleTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    SettleTimer = 0;
    const SettleStep due = Sequence.Pending();
    if (due.action == SettleStep::Action::ReadLayout) {
        Arm(Sequence.LayoutRead(NowMs(), SetupListText({ReadDisplaySetup()})));
    } else if (due.action == SettleStep::Action::RunPass) {
        Arm(Sequence.PassDone(NowMs(), RunSettlePass()));
    }
}

// One timer at a time, and none at all once the sequence is over.
void Arm(const SettleStep& step) {
    if (SettleTimer) KillTimer(nullptr, SettleTimer);
    SettleTimer = 0;
    if (step.action == SettleStep::Action::None) return;
    const int64_t waitMs = std::clamp<int64_t>(step.atMs - NowMs(), 0, std::end(kFollowUpPassesMs)[-1]);
    SettleTimer = SetTimer(nullptr, 0, static_cast<UINT>(waitMs), OnSettleTimer);
}

}  // namespace

void FollowConnectedSetup() {
    FollowSetup(ReadDisplaySetup());
}

void OnDisplayNotice(DisplayNotice notice) {
    ForgetMonitorRects();
    Arm(Sequence.Notice(notice, NowMs()));
}

bool SystemMovesWindows() {
    return Sequence.SystemMovesWindows();
}
