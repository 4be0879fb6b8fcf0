#pragma once
// How a Windows program reads its command line back into arguments, written out so that the
// native fuzz build (which has no CommandLineToArgvW) can check the launch command lines, and
// checked against the system's own reader in the unit tests.
//
// The program name ends at the first blank or tab, or, when it starts with a quote, at the
// next quote; backslashes are plain characters there. In the other arguments blanks and tabs
// outside quotes separate; a quote opens or closes a quoted part; 2n backslashes before a
// quote give n backslashes and leave the quote to its work, 2n+1 give n backslashes and a
// literal quote; backslashes before anything else are kept as they are. Two quotes in a row
// inside a quoted part are read differently by different readers; the launch never writes them.
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::wstring> ReadCommandLineArguments(std::wstring_view line) {
    std::vector<std::wstring> arguments;
    size_t i = 0;
    const auto isBlank = [&](size_t at) { return at < line.size() && (line[at] == L' ' || line[at] == L'\t'); };

    std::wstring program;
    if (i < line.size() && line[i] == L'"') {
        const size_t close = line.find(L'"', i + 1);
        program = line.substr(i + 1, close == std::wstring_view::npos ? std::wstring_view::npos : close - i - 1);
        i = close == std::wstring_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && !isBlank(i)) program += line[i++];
    }
    arguments.push_back(program);

    while (true) {
        while (isBlank(i)) ++i;
        if (i >= line.size()) break;
        std::wstring argument;
        bool quoted = false;
        while (i < line.size() && (quoted || !isBlank(i))) {
            size_t backslashes = 0;
            while (i < line.size() && line[i] == L'\\') ++backslashes, ++i;
            if (i < line.size() && line[i] == L'"') {
                argument.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    argument += L'"';
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, L'\\');
                if (i < line.size() && (quoted || !isBlank(i))) argument += line[i++];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}
