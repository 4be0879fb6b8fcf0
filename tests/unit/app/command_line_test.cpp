#include <gtest/gtest.h>

#include "app/command_message.h"

namespace {

using Words = std::vector<std::wstring>;
const std::wstring kLongest(kMaxCommandNameChars, L'n');

struct LineCase {
    Words words;
    CommandKind kind;
    std::wstring name;
};

TEST(CommandLine, ReadsEachCommandAndRefusesWhatIsNotOneWholeCommand) {
    const LineCase cases[] = {
        {{}, CommandKind::None, L""},
        {{L"--activate", L"Work"}, CommandKind::Activate, L"Work"},
        {{L"--deactivate", L"Two words"}, CommandKind::Deactivate, L"Two words"},
        {{L"--toggle", kLongest}, CommandKind::Toggle, kLongest},
        {{L"--toggle", L"--quit"}, CommandKind::Toggle, L"--quit"},
        {{L"--reload"}, CommandKind::Reload, L""},
        {{L"--save-open-windows", L"Morning"}, CommandKind::SaveOpenWindows, L"Morning"},
        {{L"--open-missing", L"Desk"}, CommandKind::OpenMissing, L"Desk"},
        {{L"--quit"}, CommandKind::Quit, L""},
        {{L"--help"}, CommandKind::Help, L""},
        {{L"-h"}, CommandKind::Help, L""},
        {{L"/?"}, CommandKind::Help, L""},
        {{L"--toggle"}, CommandKind::Malformed, L""},
        {{L"--toggle", L""}, CommandKind::Malformed, L""},
        {{L"--toggle", kLongest + L"n"}, CommandKind::Malformed, L""},
        {{L"--toggle", L"Line\nbreak"}, CommandKind::Malformed, L""},
        {{L"--toggle", L"A", L"B"}, CommandKind::Malformed, L""},
        {{L"--quit", L"--reload"}, CommandKind::Malformed, L""},
        {{L"--reload", L"Work"}, CommandKind::Malformed, L""},
        {{L"--Toggle", L"Work"}, CommandKind::Malformed, L""},
        {{L"--toggle=Work"}, CommandKind::Malformed, L""},
    };
    for (const LineCase& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.words);
        const std::string line = testing::PrintToString(c.words);
        EXPECT_EQ(parsed.kind, c.kind) << line;
        EXPECT_EQ(parsed.name, c.name) << line;
        EXPECT_EQ(parsed.reason.empty(), c.kind != CommandKind::Malformed) << line;
    }
}

std::vector<unsigned char> Utf16(const std::wstring& text) {
    return EncodeCommand({CommandKind::Toggle, text, L""}).data;
}

struct PayloadCase {
    const char* what;
    std::uintptr_t id;
    std::vector<unsigned char> data;
    bool taken;
};

TEST(CommandMessage, TakesOnlyAKnownIdWithOneWholeTerminatedName) {
    const std::uintptr_t toggle = EncodeCommand({CommandKind::Toggle, L"W", L""}).id;
    const std::uintptr_t quit = EncodeCommand({CommandKind::Quit, L"", L""}).id;
    std::vector<unsigned char> odd = Utf16(L"Work");
    odd.push_back(0);
    std::vector<unsigned char> unterminated = Utf16(L"Work");
    unterminated.resize(unterminated.size() - 2);
    const PayloadCase cases[] = {
        {"a good toggle", toggle, Utf16(L"Work"), true},
        {"a good quit", quit, Utf16(L""), true},
        {"the longest name", toggle, Utf16(kLongest), true},
        {"unknown id", 0x504E5299, Utf16(L"Work"), false},
        {"odd size", toggle, odd, false},
        {"no terminator", toggle, unterminated, false},
        {"NUL inside", toggle, Utf16(std::wstring(L"Wo\0rk", 5)), false},
        {"too long", toggle, Utf16(kLongest + L"n"), false},
        {"control character", toggle, Utf16(L"Wo\trk"), false},
        {"empty name", toggle, Utf16(L""), false},
        {"name for quit", quit, Utf16(L"Work"), false},
        {"no data", toggle, {}, false},
    };
    for (const PayloadCase& c : cases) {
        const auto command = DecodeCommand(c.id, c.data.empty() ? nullptr : c.data.data(), c.data.size());
        EXPECT_EQ(command.has_value(), c.taken) << c.what;
    }
    ReceivedCommand lowerCase{CommandKind::Toggle, L"work"};
    EXPECT_EQ(CheckCommandTarget(lowerCase, {L"Works", L"Work"}).exit, CommandExit::Done);
    EXPECT_EQ(lowerCase.name, L"Work");
    ReceivedCommand unknown{CommandKind::OpenMissing, L"Wor"};
    EXPECT_EQ(CheckCommandTarget(unknown, {L"Work"}).exit, CommandExit::UnknownCluster);
}

TEST(CommandMessage, AnswersAreNeverZeroAndCarryTheirResult) {
    EXPECT_FALSE(DecodeAnswer(0).has_value());
    EXPECT_FALSE(DecodeAnswer(1).has_value());
    EXPECT_FALSE(DecodeAnswer(NotReadyAnswer()).has_value());
    for (const CommandResult result : {CommandResult{CommandExit::Done, CommandDetail::NowInactive},
                                       CommandResult{CommandExit::NotCarriedOut, CommandDetail::NothingOpen}}) {
        EXPECT_NE(EncodeAnswer(result), 0);
        const auto decoded = DecodeAnswer(EncodeAnswer(result));
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->exit, result.exit);
        EXPECT_EQ(decoded->detail, result.detail);
    }
}

}  // namespace
