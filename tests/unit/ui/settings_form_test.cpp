#include "ui/settings_form.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t kUnchecked = 0, kChecked = 1;

struct EnablingCase {
    const wchar_t* input;
    int32_t checkState;
    bool enabled;
};

}  // namespace

TEST(SettingsApplyRule, EnabledOnlyWhileTheInputHasANumberAndSomethingDiffers) {
    const StoredSettings stored{5, kUnchecked};
    const EnablingCase cases[] = {
        {L"5", kUnchecked, false},   // nothing changed
        {L"05", kUnchecked, false},  // a leading zero is the same number
        {L"6", kUnchecked, true},    // delay differs
        {L"5", kChecked, true},      // box differs
        {L"", kChecked, false},      // no number, even with the box changed
        {L"abc", kChecked, false},   // pasted text that is no number
    };
    for (const EnablingCase& c : cases) {
        EXPECT_EQ(ApplyEnabled(c.input, c.checkState, stored), c.enabled) << "input '" << c.input << "'";
    }
    // Above an hour the delay is an hour: nothing differs from a stored 3600.
    EXPECT_FALSE(ApplyEnabled(L"99999999", kUnchecked, StoredSettings{3600, kUnchecked}));
    EXPECT_EQ(ShownSettings(L"-5", kUnchecked).timeDelay, 0);
}

TEST(SettingsApplyRule, TheDelayIsWrittenAsTypedUpToALineBreak) {
    EXPECT_EQ(DelayTextToStore(L"05"), L"05");
    EXPECT_EQ(DelayTextToStore(L"7\r\nStart with Windows=Yes"), L"7");
    EXPECT_EQ(DelayTextToStore(L"8\nx"), L"8");
    EXPECT_EQ(DelayTextToStore(L"3600"), L"3600");
    EXPECT_EQ(DelayTextToStore(L"99999999"), L"3600");
    EXPECT_EQ(DelayTextToStore(L"-5"), L"0");
}
