#pragma once
// The tray tooltip text: the program name, and the active clusters one per line.
#include <string>
#include <vector>

// Room in the tray record's tip, without its terminator.
constexpr size_t kTrayTooltipMaxChars = 127;

// `activeNames` in the order they are shown; the result is cut to fit the tip.
std::wstring TrayTooltipText(const std::vector<std::wstring>& activeNames);
