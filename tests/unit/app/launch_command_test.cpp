#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "app/launch_command.h"
#include "unit/app/command_line_reading.h"

namespace {

WindowProfile Profile(const std::wstring& path, const std::wstring& url, FramePosition position = {100, 50},
                      FrameSize size = {800, 600}) {
    WindowProfile profile;
    profile.exePath = path;
    profile.url = url;
    profile.position = position;
    profile.size = size;
    return profile;
}

}  // namespace

TEST(LaunchCommand, ChromiumFamilyOpensANewWindowAtTheSavedGeometry) {
    for (const wchar_t* path : {L"C:\\Apps\\chrome.exe", L"C:\\Apps\\msedge.exe", L"D:\\brave.exe"}) {
        const LaunchCommand command = BuildLaunchCommand(Profile(path, L"https://example.org/"));
        EXPECT_EQ(command.kind, LaunchCommand::Kind::ShellOpen) << path;
        EXPECT_EQ(command.file, path);
        EXPECT_EQ(command.parameters,
                  L"https://example.org/ --new-window --window-position=100,50 --window-size=800,600");
    }
}

TEST(LaunchCommand, FirefoxGetsTheSizeButNotThePosition) {
    const LaunchCommand command = BuildLaunchCommand(Profile(L"C:\\Mozilla Firefox\\firefox.exe", L"about:blank"));
    EXPECT_EQ(command.kind, LaunchCommand::Kind::ShellOpen);
    EXPECT_EQ(command.file, L"C:\\Mozilla Firefox\\firefox.exe");
    EXPECT_EQ(command.parameters, L"about:blank -new-window -width 800 -height 600");
}

TEST(LaunchCommand, NegativePositionsKeepTheirMinusSign) {
    const LaunchCommand command = BuildLaunchCommand(Profile(L"chrome.exe", L"u", {-1920, 0}, {-5, 7}));
    EXPECT_EQ(command.parameters, L"u --new-window --window-position=-1920,0 --window-size=-5,7");
}

TEST(LaunchCommand, EmptyUrlLeavesTheParametersStartingWithTheBlank) {
    EXPECT_EQ(BuildLaunchCommand(Profile(L"chrome.exe", L"")).parameters,
              L" --new-window --window-position=100,50 --window-size=800,600");
    EXPECT_EQ(BuildLaunchCommand(Profile(L"firefox.exe", L"")).parameters, L" -new-window -width 800 -height 600");
}

TEST(LaunchCommand, FamilyNamesMatchOnlyInLowerCase) {
    const LaunchCommand command = BuildLaunchCommand(Profile(L"C:\\Apps\\Chrome.exe", L"https://example.org/"));
    EXPECT_EQ(command.kind, LaunchCommand::Kind::CreateProcess);
    EXPECT_EQ(command.commandLine, L"C:\\Apps\\Chrome.exe");
}

TEST(LaunchCommand, PlainProgramPathIsQuotedOnlyWhenItHoldsABlank) {
    EXPECT_EQ(BuildLaunchCommand(Profile(L"C:\\Program Files\\Tool\\tool.exe", L"")).commandLine,
              L"\"C:\\Program Files\\Tool\\tool.exe\"");
    EXPECT_EQ(BuildLaunchCommand(Profile(L"\"C:\\Program Files\\Tool\\tool.exe\"", L"")).commandLine,
              L"\"C:\\Program Files\\Tool\\tool.exe\"");
    EXPECT_EQ(BuildLaunchCommand(Profile(L"C:\\Tools\\tool.exe", L"")).commandLine, L"C:\\Tools\\tool.exe");
    EXPECT_EQ(BuildLaunchCommand(Profile(L"", L"")).commandLine, L"");
}

TEST(LaunchCommand, RecordedArgumentsFollowTheProgramAsTheyWereButNeverABrowsersOwn) {
    WindowProfile editor = Profile(L"C:\\Program Files\\Ed\\ed.exe", L"");
    editor.arguments = L"--profile \"Work 2\" C:\\a.txt";
    EXPECT_EQ(BuildLaunchCommand(editor).commandLine,
              L"\"C:\\Program Files\\Ed\\ed.exe\" --profile \"Work 2\" C:\\a.txt");
    WindowProfile browser = Profile(L"chrome.exe", L"u");
    browser.arguments = L"--incognito";
    EXPECT_EQ(BuildLaunchCommand(browser).parameters, L"u --new-window --window-position=100,50 --window-size=800,600");
}

TEST(LaunchCommand, UrlWithBlanksOrQuotesBecomesOneQuotedArgument) {
    struct Row {
        const wchar_t* url;
        const wchar_t* argument;
    };
    const Row rows[] = {
        {L"https://example.org/a b", L"\"https://example.org/a b\""},
        {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
        {L"a\\\"b", L"\"a\\\\\\\"b\""},            // a\"b: the backslash before the quote doubles
        {L"C:\\my dir\\", L"\"C:\\my dir\\\\\""},  // a trailing backslash doubles before the closing quote
        {L"C:\\x y\\z", L"\"C:\\x y\\z\""},        // backslashes elsewhere stay single
        {L"https://example.org/?q=1", L"https://example.org/?q=1"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(QuoteArgumentIfNeeded(row.url), row.argument) << row.url;
        EXPECT_EQ(BuildLaunchCommand(Profile(L"msedge.exe", row.url)).parameters,
                  std::wstring(row.argument) + L" --new-window --window-position=100,50 --window-size=800,600");
    }
}

TEST(LaunchCommand, QuotedUrlReadsBackAsTheSameSingleArgument) {
    for (const wchar_t* url : {L"a b", L"say \"hi\"", L"a\\\"b", L"C:\\my dir\\", L"\\\\srv\\x y\\\\", L"\"", L" "}) {
        const std::wstring line = L"browser.exe " + QuoteArgumentIfNeeded(url) + L" --new-window";
        int count = 0;
        LPWSTR* arguments = CommandLineToArgvW(line.c_str(), &count);
        ASSERT_NE(arguments, nullptr);
        ASSERT_EQ(count, 3) << url;
        EXPECT_EQ(std::wstring(arguments[1]), url);
        LocalFree(arguments);
    }
}

TEST(LaunchCommand, UrlThatABrowserWouldReadAsASwitchIsLeftOut) {
    for (const wchar_t* url : {L"--gpu-launcher=calc.exe", L"-new-instance", L"/prefetch:1", L" \t--x y"}) {
        EXPECT_EQ(BuildLaunchCommand(Profile(L"chrome.exe", url)).parameters,
                  L" --new-window --window-position=100,50 --window-size=800,600")
            << url;
        EXPECT_EQ(BuildLaunchCommand(Profile(L"firefox.exe", url)).parameters, L" -new-window -width 800 -height 600")
            << url;
    }
    EXPECT_EQ(BuildLaunchCommand(Profile(L"firefox.exe", L"a-b/c")).parameters,
              L"a-b/c -new-window -width 800 -height 600");
}

TEST(LaunchCommand, UrlIsTakenOnlyUpToANulSoTheSwitchesStay) {
    // The system reads the parameters only up to a NUL; a URL from a damaged file is cut there.
    EXPECT_EQ(BuildLaunchCommand(Profile(L"chrome.exe", std::wstring(L"a b\0c", 5))).parameters,
              L"\"a b\" --new-window --window-position=100,50 --window-size=800,600");
    EXPECT_EQ(BuildLaunchCommand(Profile(L"firefox.exe", std::wstring(L"\0-x", 3))).parameters,
              L" -new-window -width 800 -height 600");
    EXPECT_EQ(BuildLaunchCommand(Profile(L"firefox.exe", std::wstring(L" \0", 2))).parameters,
              L"\" \" -new-window -width 800 -height 600");
}

// The fuzz build checks the launch command lines with ReadCommandLineArguments; here it is
// held to the system's own reader on the lines where the rules are easy to get wrong.
TEST(LaunchCommand, CommandLineReadingAgreesWithTheSystem) {
    for (const wchar_t* line : {LR"(x a\\b)", LR"(x "a b\\" c)", LR"(x a\"b)", LR"(x a\\\"b "c d")", LR"(x "" "")",
                                L"x\t\ta\tb ", LR"(x a"b c"d e)", LR"("C:\Program Files\x.exe" --flag)",
                                LR"("C:\dir\"next)", LR"(x "unterminated \\)", LR"(x \\\\\")", LR"(x "a\tb")"}) {
        int count = 0;
        LPWSTR* system = CommandLineToArgvW(line, &count);
        ASSERT_NE(system, nullptr);
        const std::vector<std::wstring> expected(system, system + count);
        LocalFree(system);
        EXPECT_EQ(ReadCommandLineArguments(line), expected) << line;
    }
}
