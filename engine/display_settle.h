#pragma once
// After the monitors change, wake up or the session is unlocked, the system moves windows
// around for a while, and programs follow with moves of their own. The settle sequence waits
// until the monitor layout reads the same twice, runs a placement pass, and runs further
// passes at growing intervals for as long as a pass still has windows to move back. Every
// notice that arrives meanwhile merges into the one sequence. Plain logic on a millisecond
// clock: the caller reads the layout, runs the passes and keeps one timer for `Pending()`.
#include <cstdint>
#include <optional>
#include <string>

enum class DisplayNotice {
    LayoutChanged,          // the resolution or arrangement changed
    MonitorsArrivedOrLeft,  // a monitor was plugged in or out
    Resumed,                // back from sleep
    MonitorsOff,
    MonitorsOn,
    SessionLocked,
    SessionUnlocked,
};

// Two readings of the layout this far apart that are the same mean it has settled.
constexpr int64_t kLayoutCheckMs = 250;
// A layout that never settles is given up on after this long, and the pass runs anyway.
constexpr int64_t kLongestSettleMs = 5000;
// When the passes after the first one run, counted from the first.
constexpr int64_t kFollowUpPassesMs[] = {1000, 3000, 8000};

struct SettleStep {
    enum class Action { None, ReadLayout, RunPass };
    Action action = Action::None;
    int64_t atMs = 0;  // when it is due
    bool operator==(const SettleStep& o) const { return action == o.action && atMs == o.atMs; }
};

class SettleSequence {
  public:
    // Each call returns the step now pending, which replaces any step returned before.
    SettleStep Notice(DisplayNotice notice, int64_t nowMs);
    // `layout` is the layout just read, as any text that differs when the layout does.
    SettleStep LayoutRead(int64_t nowMs, const std::wstring& layout);
    SettleStep PassDone(int64_t nowMs, bool movedAnything);
    SettleStep Pending() const { return pending_; }

    // While the monitors are off, the session is locked or a sequence runs, the windows that
    // move are moved by the system, not dragged by the user.
    bool SystemMovesWindows() const { return phase_ != Phase::Idle || monitorsOff_ || locked_; }

  private:
    enum class Phase { Idle, Settling, Passes };

    SettleStep StartSettling(int64_t nowMs);
    SettleStep Set(SettleStep::Action action, int64_t atMs);

    Phase phase_ = Phase::Idle;
    SettleStep pending_;
    std::optional<std::wstring> lastLayout_;
    int64_t settleStartMs_ = 0;
    int64_t firstPassMs_ = 0;
    size_t followUpsDone_ = 0;
    bool monitorsOff_ = false;
    bool locked_ = false;
};
