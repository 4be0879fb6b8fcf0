// The settle sequence after display notices: one wait for the layout, then passes at growing
// intervals until one moves nothing, however many notices arrive.
#include <gtest/gtest.h>

#include "engine/display_settle.h"

namespace {

using Action = SettleStep::Action;

// One input to the sequence at a time (ms), and the step it must answer with.
struct Input {
    enum Kind { Notice, Layout, Pass } kind;
    int64_t atMs;
    DisplayNotice notice = DisplayNotice::LayoutChanged;
    const wchar_t* layout = L"";
    bool moved = false;
};
Input N(int64_t at, DisplayNotice n = DisplayNotice::LayoutChanged) {
    return {Input::Notice, at, n};
}
Input L(int64_t at, const wchar_t* layout) {
    return {Input::Layout, at, DisplayNotice::LayoutChanged, layout};
}
Input P(int64_t at, bool moved) {
    return {Input::Pass, at, DisplayNotice::LayoutChanged, L"", moved};
}

struct SequenceCase {
    const char* what;
    std::vector<std::pair<Input, SettleStep>> steps;
    bool systemMovesWindowsAtEnd;
};
const SettleStep kIdle = {Action::None, 0};
SettleStep Read(int64_t at) {
    return {Action::ReadLayout, at};
}
SettleStep Pass(int64_t at) {
    return {Action::RunPass, at};
}

// One row per case, its steps in the order they happen.
// clang-format off
const SequenceCase kCases[] = {
    {"a change whose first pass moves nothing",
     {{N(0), Read(0)}, {L(0, L"A"), Read(250)}, {L(250, L"A"), Pass(250)}, {P(260, false), kIdle}}, false},
    {"passes at 1, 3 and 8 s while windows still move, then the end",
     {{N(0), Read(0)}, {L(0, L"A"), Read(250)}, {L(250, L"A"), Pass(250)}, {P(250, true), Pass(1250)},
      {P(1250, true), Pass(3250)}, {P(3250, true), Pass(8250)}, {P(8250, true), kIdle}}, false},
    {"a layout still changing is read again",
     {{N(0), Read(0)}, {L(0, L"A"), Read(250)}, {L(250, L"B"), Read(500)}, {L(500, L"B"), Pass(500)}}, true},
    {"a burst of notices merges into one wait",
     {{N(0), Read(0)}, {L(0, L"A"), Read(250)}, {N(100), Read(100)}, {L(100, L"B"), Read(350)}, {N(200), Read(200)}},
     true},
    {"a notice between passes waits again and starts the passes over",
     {{N(0), Read(0)}, {L(0, L"A"), Read(250)}, {L(250, L"A"), Pass(250)}, {P(250, true), Pass(1250)},
      {N(900), Read(900)}, {L(900, L"B"), Read(1150)}, {L(1150, L"B"), Pass(1150)}, {P(1150, true), Pass(2150)}}, true},
    {"a layout that never settles is given up on",
     {{N(0), Read(0)}, {L(0, L"A"), Read(250)}, {L(4900, L"B"), Read(5150)}, {L(5150, L"C"), Pass(5150)}}, true},
    {"monitors reported on without having been off start nothing", {{N(0, DisplayNotice::MonitorsOn), kIdle}}, false},
    {"monitors off hold until they are on again",
     {{N(0, DisplayNotice::MonitorsOff), kIdle}, {N(9000, DisplayNotice::MonitorsOn), Read(9000)}}, true},
    {"a locked session holds without a sequence", {{N(0, DisplayNotice::SessionLocked), kIdle}}, true},
    {"an unlock starts a sequence",
     {{N(0, DisplayNotice::SessionLocked), kIdle}, {N(50, DisplayNotice::SessionUnlocked), Read(50)}}, true},
};
// clang-format on

TEST(DisplaySettle, NoticesGiveOneWaitThenPassesUntilOneMovesNothing) {
    for (const SequenceCase& c : kCases) {
        SettleSequence sequence;
        for (const auto& [input, expected] : c.steps) {
            SettleStep step;
            if (input.kind == Input::Notice) step = sequence.Notice(input.notice, input.atMs);
            if (input.kind == Input::Layout) step = sequence.LayoutRead(input.atMs, input.layout);
            if (input.kind == Input::Pass) step = sequence.PassDone(input.atMs, input.moved);
            EXPECT_EQ(step, expected) << c.what << " at " << input.atMs;
        }
        EXPECT_EQ(sequence.SystemMovesWindows(), c.systemMovesWindowsAtEnd) << c.what;
    }
}

}  // namespace
