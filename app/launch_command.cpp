#include "app/launch_command.h"

namespace {

bool Contains(const std::wstring& text, const wchar_t* part) {
    return text.find(part) != std::wstring::npos;
}

// The family test is a plain, case-sensitive search anywhere in the path.
bool IsChromiumFamily(const std::wstring& path) {
    return Contains(path, L"chrome.exe") || Contains(path, L"msedge.exe") || Contains(path, L"brave.exe");
}

bool IsFirefox(const std::wstring& path) {
    return Contains(path, L"firefox.exe");
}

bool NeedsQuotes(const std::wstring& argument) {
    return argument.find_first_of(L" \t\n\v\"") != std::wstring::npos;
}

// A browser reads an argument that starts with "-" or "/" as a switch, whatever the quoting,
// and some switches start other programs: such a "URL" is left out. The system reads the
// parameters only up to a NUL, so a URL read from a damaged file is cut there: the switches
// after it must not be lost with the rest.
std::wstring UrlArgument(const std::wstring& savedUrl) {
    const std::wstring url = savedUrl.substr(0, savedUrl.find(L'\0'));
    const size_t first = url.find_first_not_of(L" \t\n\r\f\v");
    if (first != std::wstring::npos && (url[first] == L'-' || url[first] == L'/')) return L"";
    return QuoteArgumentIfNeeded(url);
}

std::wstring ChromiumParameters(const WindowProfile& profile) {
    return UrlArgument(profile.url) + L" --new-window --window-position=" + std::to_wstring(profile.position.x) + L"," +
           std::to_wstring(profile.position.y) + L" --window-size=" + std::to_wstring(profile.size.width) + L"," +
           std::to_wstring(profile.size.height);
}

std::wstring FirefoxParameters(const WindowProfile& profile) {
    return UrlArgument(profile.url) + L" -new-window -width " + std::to_wstring(profile.size.width) + L" -height " +
           std::to_wstring(profile.size.height);
}

// An unquoted path with a blank would let the system try "C:\Program.exe" first.
std::wstring PlainCommandLine(const std::wstring& path) {
    if (path.empty() || path.front() == L'"' || path.find_first_of(L" \t") == std::wstring::npos) return path;
    return L"\"" + path + L"\"";
}

}  // namespace

std::wstring QuoteArgumentIfNeeded(const std::wstring& argument) {
    if (!NeedsQuotes(argument)) return argument;
    // Backslashes are literal except before a quote: there each one is doubled and the
    // quote escaped, and those at the very end are doubled before the closing quote.
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

LaunchCommand BuildLaunchCommand(const WindowProfile& profile) {
    LaunchCommand command;
    if (IsChromiumFamily(profile.exePath) || IsFirefox(profile.exePath)) {
        command.kind = LaunchCommand::Kind::ShellOpen;
        command.file = profile.exePath;
        command.parameters =
            IsChromiumFamily(profile.exePath) ? ChromiumParameters(profile) : FirefoxParameters(profile);
    } else {
        // The recorded arguments are the program's own text, passed on exactly as it was given.
        command.commandLine = PlainCommandLine(profile.exePath);
        if (!profile.arguments.empty()) command.commandLine += L" " + profile.arguments;
    }
    return command;
}
