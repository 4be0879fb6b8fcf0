#include "engine/started_programs.h"

#include <map>
#include <set>
#include <utility>

#include "engine/engine.h"
#include "engine/glide.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kFollowIntervalMs = 100;

struct StartedProgram {
    WindowProfile profile;  // the entry
    WindowProfile record;   // its window's live record once found
    bool reached = false;   // the window has been at its frame
    Clock::time_point deadline;
};

using ProgramKey = std::pair<std::wstring, std::wstring>;  // cluster, entry

std::map<ProgramKey, StartedProgram>& StartedPrograms() {
    static std::map<ProgramKey, StartedProgram> programs;
    return programs;
}
UINT_PTR FollowTimer = 0;

bool IsAtFrame(HWND window, const WindowProfile& profile) {
    RECT frame = {};
    if (FAILED(GetVisibleFrame(window, &frame))) return false;
    return frame.left == profile.position.x && frame.top == profile.position.y &&
           frame.right - frame.left == profile.size.width && frame.bottom - frame.top == profile.size.height;
}

bool IsGliding(HWND window) {
    return MoveJobTable.Read([window](const MoveJobMap& jobs) {
        const auto found = jobs.find(window);
        return found != jobs.end() && !found->second.done;
    });
}

// The first live window the entry's rule holds for that no other started program has taken.
void FindWindowOf(StartedProgram& program, const LiveWindowSequence& live, const std::set<HWND>& taken,
                  Clock::time_point now) {
    for (const WindowProfile& record : live) {
        WindowProfile candidate = record;
        if (!record.hwnd || taken.count(record.hwnd) != 0 || !MatchProfile(candidate, program.profile)) continue;
        program.record = candidate;
        program.deadline = now + kSettlePeriod;
        return;
    }
}

// False once the program is no longer followed.
bool Follow(StartedProgram& program, Clock::time_point now) {
    if (now >= program.deadline) return false;
    const HWND window = program.record.hwnd;
    if (!window) return true;
    if (!IsWindow(window)) return false;
    const WindowProfile& target = program.profile;
    if (IsAtFrame(window, target)) {
        if (!program.reached) program.deadline = now + kSettlePeriod;
        program.reached = true;
        return true;
    }
    // Before its first arrival the window is the engine's to place; minimised and maximised
    // windows are the user's.
    if (!program.reached || IsGliding(window) || IsIconic(window) || IsMaximizedOrMinimized(window)) return true;
    Diag(L"Started window moved itself (moved back).\n");
    ScheduleMove(program.record, target.position.x, target.position.y, target.size.width, target.size.height, 0,
                 kMoveDurationMs, kMoveFrameIntervalMs);
    return true;
}

void StopTimerWhenIdle() {
    if (!StartedPrograms().empty() || !FollowTimer) return;
    KillTimer(nullptr, FollowTimer);
    FollowTimer = 0;
}

void CALLBACK OnFollowTimer(HWND, UINT, UINT_PTR, DWORD) {
    auto& programs = StartedPrograms();
    const auto now = Clock::now();
    std::set<HWND> taken;
    bool searching = false;
    for (const auto& [key, program] : programs) {
        if (program.record.hwnd) taken.insert(program.record.hwnd);
        searching = searching || !program.record.hwnd;
    }
    // The new windows reach the list through the window events; only read it when needed.
    const LiveWindowSequence live = searching ? LiveWindowList.Snapshot() : LiveWindowSequence{};
    for (auto it = programs.begin(); it != programs.end();) {
        if (!it->second.record.hwnd) {
            FindWindowOf(it->second, live, taken, now);
            if (it->second.record.hwnd) taken.insert(it->second.record.hwnd);
        }
        it = Follow(it->second, now) ? std::next(it) : programs.erase(it);
    }
    StopTimerWhenIdle();
}

}  // namespace

void NoteProgramStarted(const std::wstring& cluster, const WindowProfile& profile) {
    StartedProgram program;
    program.profile = profile;
    program.deadline = Clock::now() + kSettlePeriod;
    StartedPrograms()[{cluster, profile.sectionName}] = std::move(program);
    if (!FollowTimer) FollowTimer = SetTimer(nullptr, 0, kFollowIntervalMs, OnFollowTimer);
}

bool IsProgramStarting(const std::wstring& cluster, const std::wstring& entryName) {
    const auto& programs = StartedPrograms();
    const auto found = programs.find({cluster, entryName});
    return found != programs.end() && Clock::now() < found->second.deadline;
}

void StopSettling(HWND window) {
    auto& programs = StartedPrograms();
    for (auto it = programs.begin(); it != programs.end();) {
        it = it->second.record.hwnd == window ? programs.erase(it) : std::next(it);
    }
    StopTimerWhenIdle();
}
