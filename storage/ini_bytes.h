#pragma once
// The bytes of an INI file and its lines of wide text.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Skips a leading UTF-8 byte-order mark, splits at line feeds and drops one carriage return
// before each. A line that is not valid UTF-8 reads as an empty line.
std::vector<std::wstring> SplitIniBytes(std::string_view bytes);

// The same lines one at a time, without keeping them: each view is valid during its call.
void ForEachIniLine(std::string_view bytes, const std::function<void(std::wstring_view)>& onLine);
// The same lines as bytes, not yet decoded.
void ForEachIniByteLine(std::string_view bytes, const std::function<void(std::string_view)>& onLine);

// True when every line is text that reads back as it is: valid UTF-8 without NUL bytes. A
// file saved in a legacy code page or as UTF-16 is not, and a rewrite would blank its lines.
bool EveryIniLineDecodes(std::string_view bytes);

// UTF-8 lines joined by CR LF, with no byte-order mark and no final line break. A line that
// cannot be converted is written as an empty line.
std::string JoinIniLines(const std::vector<std::wstring>& lines);
