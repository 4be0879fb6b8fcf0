#pragma once
// What one line of an INI file is. Classification works on a copy; the raw line itself is
// what the writer keeps.
#include <cstddef>
#include <string>
#include <string_view>

enum class IniLineKind { Blank = 0, Comment = 1, Section = 2, KeyValue = 3, Other = 4 };

struct IniLine {
    IniLineKind kind = IniLineKind::Blank;
    std::wstring name;  // section name or key
    std::wstring value;
};

IniLine ClassifyIniLine(std::wstring_view raw);

// Position of the first "=" that is not part of an escaped "\=", or npos. Works on decoded
// text and on UTF-8 bytes alike: both characters are single bytes there.
template <typename Char>
size_t FindIniKeySeparatorIn(std::basic_string_view<Char> text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == Char('\\') && i + 1 < text.size() && text[i + 1] == Char('=')) {
            ++i;
        } else if (text[i] == Char('=')) {
            return i;
        }
    }
    return std::basic_string_view<Char>::npos;
}
inline size_t FindIniKeySeparator(std::wstring_view text) {
    return FindIniKeySeparatorIn(text);
}
inline size_t FindIniKeySeparator(std::string_view bytes) {
    return FindIniKeySeparatorIn(bytes);
}

// A key as stored: "\=" stands for "=" inside it.
std::wstring UnescapeIniKey(std::wstring_view key);
std::wstring EscapeIniKey(std::wstring_view key);

// Text as it can stand on one line of the file: CR, LF and NUL would end the line early (or,
// for NUL, make the file unreadable as text), so each becomes a space. Every name and value
// the writer puts on a line passes through here.
std::wstring OneLineIniText(std::wstring_view text);
