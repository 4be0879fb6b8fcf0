#include "engine/rule_match.h"

#include <gtest/gtest.h>

#include "engine/executable_name.h"

namespace {

WindowProfile MailWindow() {
    WindowProfile record;
    record.title = L"Inbox - Mail";
    record.className = L"MailFrame";
    record.exePath = L"C:\\Program Files\\Mail\\mail.exe";
    record.desktop = L"Desktop 2";
    return record;
}

WindowProfile ProfileWithRules(const std::wstring& rules) {
    WindowProfile profile;
    profile.rules = rules;
    return profile;
}

bool Matches(const std::wstring& rules, WindowProfile record = MailWindow()) {
    return MatchProfile(record, ProfileWithRules(rules));
}

struct RuleCase {
    const wchar_t* rules;
    bool expected;
};

void ExpectEachCase(std::initializer_list<RuleCase> cases) {
    for (const RuleCase& c : cases)
        EXPECT_EQ(Matches(c.rules), c.expected) << "rule text: " << testing::PrintToString(std::wstring(c.rules));
}

}  // namespace

TEST(RuleMatch, EachFieldReadsItsOwnPropertyOfTheWindow) {
    ExpectEachCase({
        {LR"(Window title does match "Inbox - Mail")", true},
        {LR"(Window title does match "mail.exe")", false},
        {LR"(Executable name does match "mail.exe")", true},
        {LR"(Executable name does match "C:\Program Files\Mail\mail.exe")", false},
        {LR"(Class name does match "MailFrame")", true},
        {LR"(Class name does match "Inbox - Mail")", false},
        {LR"(Desktop name does match "Desktop 2")", true},
        {LR"(Desktop name does match "Desktop 1")", false},
    });
}

TEST(RuleMatch, EachOperatorComparesAsNamed) {
    ExpectEachCase({
        {LR"(Window title does match "Inbox")", false},
        {LR"(Window title does contain "x - M")", true},
        {LR"(Window title does contain "Outbox")", false},
        {LR"(Window title does begin with "Inbox")", true},
        {LR"(Window title does begin with "Mail")", false},
        {LR"(Window title does end with "Mail")", true},
        {LR"(Window title does end with "Inbox")", false},
        {LR"(Window title does begin with "Inbox - Mail and more")", false},
        {LR"(Window title does end with "The Inbox - Mail")", false},
    });
}

TEST(RuleMatch, DoesNotInvertsTheComparison) {
    ExpectEachCase({
        {LR"(Window title does not match "Inbox - Mail")", false},
        {LR"(Window title does not match "Outbox")", true},
        {LR"(Executable name does not end with ".exe")", false},
        {LR"(Class name does not contain "Frame")", false},
        {LR"(Desktop name does not begin with "Desktop")", false},
    });
}

TEST(RuleMatch, ComparisonsAreCaseSensitive) {
    ExpectEachCase({
        {LR"(Window title does match "inbox - mail")", false},
        {LR"(Executable name does match "Mail.exe")", false},
        {LR"(Class name does contain "frame")", false},
        {LR"(Window title does begin with "INBOX")", false},
    });
}

TEST(RuleMatch, JoinersFoldStrictlyFromLeftToRight) {
    ExpectEachCase({
        {LR"(Window title does begin with "Inbox" AND Window title does end with "Mail")", true},
        {LR"(Window title does begin with "Inbox" AND Window title does end with "Inbox")", false},
        {LR"(Window title does match "Other" OR Class name does match "MailFrame")", true},
        {LR"(Window title does match "Other" OR Class name does match "Other")", false},
        // (A or B) and C, not A or (B and C): false although A holds.
        {LR"(Window title does match "Inbox - Mail" OR Window title does match "B" AND Class name does match "Y")",
         false},
        // (A and B) or C: true although A and B fail.
        {LR"(Window title does match "A" AND Window title does match "B" OR Class name does match "MailFrame")", true},
    });
}

TEST(RuleMatch, BeginAndEndWithHoldOnlyWhereBothEndsFit) {
    const std::wstring rules = LR"(Window title does begin with "Mail" AND Window title does end with "Mail")";
    for (const auto& [title, expected] : {std::pair<std::wstring, bool>{L"Mail", true},
                                          {L"Mail - Mail", true},
                                          {L"Mailbox", false},
                                          {L"Mai", false},
                                          {L"", false}}) {
        WindowProfile record;
        record.title = title;
        EXPECT_EQ(Matches(rules, record), expected) << testing::PrintToString(title);
    }
}

TEST(RuleMatch, EmptyValueIsContainedEverywhereButMatchesOnlyAnEmptyField) {
    WindowProfile untitled = MailWindow();
    untitled.title.clear();
    EXPECT_TRUE(Matches(LR"(Window title does contain "")"));
    EXPECT_FALSE(Matches(LR"(Window title does match "")"));
    EXPECT_TRUE(Matches(LR"(Window title does match "")", untitled));
    EXPECT_TRUE(Matches(LR"(Window title does begin with "")"));
}

TEST(RuleMatch, UnreadableExecutablePathComparesAsAnEmptyName) {
    WindowProfile noPath = MailWindow();
    noPath.exePath.clear();
    EXPECT_TRUE(Matches(LR"(Executable name does match "")", noPath));
    EXPECT_FALSE(Matches(LR"(Executable name does match "mail.exe")", noPath));
}

TEST(RuleMatch, ErrorNeverMatchesWhileEmptyAndUnknownTextsMatchEverything) {
    ExpectEachCase({
        {L"Error", false},
        {L"", true},
        {L"   ", true},
        {LR"(window title does match "Nothing like it")", true},
        {LR"(Title does match "Nothing like it")", true},
        {L"Error ", true},  // only the exact text is refused
    });
}

TEST(RuleMatch, ConditionsBeforeAMalformedPointDecide) {
    ExpectEachCase({
        // A missing closing quote drops that condition; the one before decides.
        {LR"(Window title does match "Other" AND Class name does match "MailFrame)", false},
        {LR"(Window title does match "Inbox - Mail" AND Class name does match "Other)", true},
        {LR"(Window title does match "Other)", true},
        // Text after an unknown word is ignored.
        {LR"(Window title does match "Other" xyz Class name does match "MailFrame")", false},
        // An unknown operator compares as false, and a negated one as true.
        {LR"(Window title does same as "Inbox - Mail")", false},
        {LR"(Window title does not same as "Inbox - Mail")", true},
    });
}

TEST(RuleMatch, TextCutInTheMiddleOfAWordIsReadSafely) {
    const std::wstring full = LR"(Executable name does not end with "x.exe" OR Window title does match "Inbox - Mail")";
    for (size_t length = 0; length <= full.size(); ++length) {
        WindowProfile record = MailWindow();
        const bool matched = MatchProfile(record, ProfileWithRules(full.substr(0, length)));
        // Every cut either ends before the first condition is complete (matches everything) or
        // keeps the first condition, which holds for this window.
        EXPECT_TRUE(matched) << "cut at " << length;
    }
    ExpectEachCase({{L"W", true}, {L"Executable", true}, {L"Desktop name does not", true}, {L"C\"\"", true}});
}

TEST(RuleMatch, MatchCopiesTheProfileSettingsAndKeepsTheWindowIdentity) {
    WindowProfile profile = ProfileWithRules(LR"(Window title does contain "Mail")");
    profile.sectionName = L"Mail window";
    profile.title = L"Saved title";
    profile.className = L"SavedClass";
    profile.exePath = L"C:\\saved.exe";
    profile.url = L"https://mail.example/";
    profile.desktop = L"Work";
    profile.position = {10, 20};
    profile.size = {300, 400};
    profile.moveToDesktop = true;
    profile.launchWithQuickMenu = true;
    profile.superGlue = true;
    profile.corners = CornerStyle::Sharp;
    profile.zLevel = 7;

    WindowProfile record = MailWindow();
    record.hwnd = reinterpret_cast<WindowHandle>(0x1234);
    record.position = {1, 2};
    record.size = {3, 4};
    ASSERT_TRUE(MatchProfile(record, profile));

    EXPECT_EQ(record.sectionName, L"Mail window");
    EXPECT_EQ(record.url, L"https://mail.example/");
    EXPECT_EQ(record.rules, profile.rules);
    EXPECT_EQ(record.desktop, L"Work");
    EXPECT_TRUE(record.moveToDesktop);
    EXPECT_TRUE(record.launchWithQuickMenu);
    EXPECT_TRUE(record.superGlue);
    EXPECT_EQ(record.corners, CornerStyle::Sharp);
    const WindowProfile window = MailWindow();
    EXPECT_EQ(record.title, window.title);
    EXPECT_EQ(record.className, window.className);
    EXPECT_EQ(record.exePath, window.exePath);
    EXPECT_EQ(record.hwnd, reinterpret_cast<WindowHandle>(0x1234));
    EXPECT_EQ(record.position, (FramePosition{1, 2}));
    EXPECT_EQ(record.size, (FrameSize{3, 4}));
    EXPECT_EQ(record.zLevel, 0);
}

TEST(RuleMatch, FailedMatchLeavesTheRecordUntouched) {
    WindowProfile profile = ProfileWithRules(LR"(Window title does match "Other")");
    profile.sectionName = L"Other";
    profile.desktop = L"Work";
    profile.corners = CornerStyle::Dull;
    WindowProfile record = MailWindow();
    EXPECT_FALSE(MatchProfile(record, profile));
    EXPECT_TRUE(record.sectionName.empty());
    EXPECT_EQ(record.desktop, L"Desktop 2");
    EXPECT_EQ(record.corners, CornerStyle::Round);
    EXPECT_TRUE(record.rules.empty());
}

TEST(RuleMatch, MatchedDesktopNameIsTheSavedOne) {
    // After a first match the record carries the profile's desktop name, and a later desktop
    // condition compares against that.
    WindowProfile first = ProfileWithRules(LR"(Window title does contain "Mail")");
    first.desktop = L"Work";
    WindowProfile record = MailWindow();
    ASSERT_TRUE(MatchProfile(record, first));
    EXPECT_TRUE(MatchProfile(record, ProfileWithRules(LR"(Desktop name does match "Work")")));
}

TEST(ExecutableName, IsThePartAfterTheLastBackslash) {
    EXPECT_EQ(ExecutableNameOf(L"C:\\Windows\\notepad.exe"), L"notepad.exe");
    EXPECT_EQ(ExecutableNameOf(L"notepad.exe"), L"notepad.exe");
    EXPECT_EQ(ExecutableNameOf(L"C:\\folder\\"), L"");
    EXPECT_EQ(ExecutableNameOf(L""), L"");
    EXPECT_EQ(ExecutableNameOf(L"C:/forward/slashes.exe"), L"C:/forward/slashes.exe");
}
