#include "engine/display_settle.h"

#include <iterator>

SettleStep SettleSequence::Notice(DisplayNotice notice, int64_t nowMs) {
    switch (notice) {
        case DisplayNotice::MonitorsOff:
            monitorsOff_ = true;
            return pending_;
        case DisplayNotice::SessionLocked:
            locked_ = true;
            return pending_;
        case DisplayNotice::MonitorsOn:
            // The system reports the monitors' state once when asked to report it: monitors that
            // were never off have not come back.
            if (!monitorsOff_) return pending_;
            monitorsOff_ = false;
            return StartSettling(nowMs);
        case DisplayNotice::SessionUnlocked:
            locked_ = false;
            return StartSettling(nowMs);
        default:
            return StartSettling(nowMs);
    }
}

SettleStep SettleSequence::LayoutRead(int64_t nowMs, const std::wstring& layout) {
    if (phase_ != Phase::Settling) return pending_;
    if (lastLayout_ == layout || nowMs - settleStartMs_ >= kLongestSettleMs)
        return Set(SettleStep::Action::RunPass, nowMs);
    lastLayout_ = layout;
    return Set(SettleStep::Action::ReadLayout, nowMs + kLayoutCheckMs);
}

SettleStep SettleSequence::PassDone(int64_t nowMs, bool movedAnything) {
    if (phase_ == Phase::Settling) {
        phase_ = Phase::Passes;
        firstPassMs_ = nowMs;
        followUpsDone_ = 0;
    } else if (phase_ == Phase::Passes) {
        ++followUpsDone_;
    } else {
        return pending_;
    }
    if (!movedAnything || followUpsDone_ >= std::size(kFollowUpPassesMs)) {
        phase_ = Phase::Idle;
        return Set(SettleStep::Action::None, 0);
    }
    return Set(SettleStep::Action::RunPass, firstPassMs_ + kFollowUpPassesMs[followUpsDone_]);
}

// A notice while passes are still due starts the wait for the layout again; the passes then
// start over from the first. The longest wait counts from the first notice of the wait.
SettleStep SettleSequence::StartSettling(int64_t nowMs) {
    if (phase_ != Phase::Settling) settleStartMs_ = nowMs;
    phase_ = Phase::Settling;
    lastLayout_.reset();
    return Set(SettleStep::Action::ReadLayout, nowMs);
}

SettleStep SettleSequence::Set(SettleStep::Action action, int64_t atMs) {
    pending_ = SettleStep{action, atMs};
    return pending_;
}
