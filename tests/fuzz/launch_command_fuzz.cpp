// Quick Menu launch texts. Whatever a saved URL holds, the browser's parameters, read back by
// the Windows command-line rules as far as the system sees them (up to the first NUL), are
// the URL as exactly one argument followed by exactly the geometry switches; a URL that a
// browser would take for a switch (first non-blank "-" or "/") and the empty URL give no
// argument at all. A program path without quotes (no file name holds one) reads back as the
// program name alone; a path that starts with a quote is the user's own command line.
//
// Input: the family and the numbers are drawn from the end, the path and URL texts from the
// front; each text character is one byte mapped onto the characters that matter here, or a
// free 16-bit code unit.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/launch_command.h"
#include "tests/unit/app/command_line_reading.h"

namespace {

void Require(bool condition, const char* property) {
    if (condition) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

const wchar_t kAlphabet[] = {L'a', L' ', L'\t', L'"', L'\\', L'-', L'/', L'\0', L'\n', L'\r', L'\v', L':', L'=', L'%'};

std::wstring FuzzText(FuzzedDataProvider& input) {
    std::wstring text;
    for (size_t length = input.ConsumeIntegralInRange<size_t>(0, 24); length > 0; --length) {
        const uint8_t pick = input.ConsumeIntegral<uint8_t>();
        text += pick < std::size(kAlphabet) * 16 ? kAlphabet[pick % std::size(kAlphabet)]
                                                 : static_cast<wchar_t>(input.ConsumeIntegral<uint16_t>());
    }
    return text;
}

std::wstring SeenBySystem(const std::wstring& text) {
    return text.substr(0, text.find(L'\0'));
}

std::vector<std::wstring> ParametersAsRead(const std::wstring& parameters) {
    std::vector<std::wstring> arguments = ReadCommandLineArguments(L"browser.exe " + SeenBySystem(parameters));
    arguments.erase(arguments.begin());
    return arguments;
}

std::vector<std::wstring> GeometrySwitches(bool chromium, const WindowProfile& profile) {
    const auto number = [](int32_t value) { return std::to_wstring(value); };
    if (chromium) {
        return {L"--new-window", L"--window-position=" + number(profile.position.x) + L"," + number(profile.position.y),
                L"--window-size=" + number(profile.size.width) + L"," + number(profile.size.height)};
    }
    return {L"-new-window", L"-width", number(profile.size.width), L"-height", number(profile.size.height)};
}

bool ReadAsSwitch(const std::wstring& url) {
    const size_t first = url.find_first_not_of(L" \t\n\r\f\v");
    return first != std::wstring::npos && (url[first] == L'-' || url[first] == L'/');
}

void CheckBrowserParameters(const WindowProfile& profile, const LaunchCommand& command, bool chromium) {
    Require(command.file == profile.exePath, "the browser started is the saved path");
    std::vector<std::wstring> expected;
    const std::wstring url = SeenBySystem(profile.url);
    if (!url.empty() && !ReadAsSwitch(url)) expected.push_back(url);
    for (std::wstring& word : GeometrySwitches(chromium, profile)) expected.push_back(std::move(word));
    Require(ParametersAsRead(command.parameters) == expected, "the URL is one argument before the switches");
}

void CheckPlainCommandLine(const WindowProfile& profile, const LaunchCommand& command) {
    if (!profile.exePath.empty() && profile.exePath.front() == L'"') {
        Require(command.commandLine == profile.exePath, "a quoted path is passed as it is");
        return;
    }
    const std::wstring path = SeenBySystem(profile.exePath);
    if (path.empty() || path.find(L'"') != std::wstring::npos) return;
    const std::vector<std::wstring> read = ReadCommandLineArguments(SeenBySystem(command.commandLine));
    Require(read == std::vector<std::wstring>{path}, "the path is the program name alone");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    static const wchar_t* const kPrograms[] = {L"chrome.exe", L"msedge.exe", L"brave.exe", L"firefox.exe", L""};
    const std::wstring program = kPrograms[input.ConsumeIntegralInRange<size_t>(0, std::size(kPrograms) - 1)];

    WindowProfile profile;
    profile.position = {input.ConsumeIntegral<int32_t>(), input.ConsumeIntegral<int32_t>()};
    profile.size = {input.ConsumeIntegral<int32_t>(), input.ConsumeIntegral<int32_t>()};
    profile.exePath = FuzzText(input) + program + FuzzText(input);
    profile.url = FuzzText(input);

    const LaunchCommand command = BuildLaunchCommand(profile);
    if (command.kind == LaunchCommand::Kind::ShellOpen) {
        // A family name may also come from the fuzzed parts of the path.
        const bool chromiumFamily = profile.exePath.find(L"chrome.exe") != std::wstring::npos ||
                                    profile.exePath.find(L"msedge.exe") != std::wstring::npos ||
                                    profile.exePath.find(L"brave.exe") != std::wstring::npos;
        CheckBrowserParameters(profile, command, chromiumFamily);
    } else {
        Require(program.empty(), "a browser path is opened through the shell");
        CheckPlainCommandLine(profile, command);
    }
    return 0;
}
