#pragma once
#include <string>
#include <string_view>

// The file name part of an executable path: everything after the last backslash, or the whole
// text when there is none. An unreadable path (empty) gives an empty name.
std::wstring ExecutableNameOf(const std::wstring& path);
// The same, as a view into the path.
std::wstring_view ExecutableNameIn(std::wstring_view path);
