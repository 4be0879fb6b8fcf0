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

// Position of the first "=" that is not part of an escaped "\=", or npos.
size_t FindIniKeySeparator(std::wstring_view text);

// A key as stored: "\=" stands for "=" inside it.
std::wstring UnescapeIniKey(std::wstring_view key);
std::wstring EscapeIniKey(std::wstring_view key);
