#include "engine/command_line_text.h"

namespace {

constexpr std::wstring_view kBlanks = L" \t";

std::wstring_view Trimmed(std::wstring_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) + 1 - first);
}

}  // namespace

std::wstring ArgumentsOfCommandLine(std::wstring_view commandLine) {
    const std::wstring_view text = Trimmed(commandLine);
    if (text.empty()) return {};
    // The program's name knows no escapes: a backslash before its closing quote is a path's.
    const size_t end = text.front() == L'"' ? text.find(L'"', 1) : text.find_first_of(kBlanks);
    if (end == std::wstring_view::npos) return {};
    return std::wstring(Trimmed(text.substr(end + 1)));
}
