#pragma once
// The Settings window's text logic: what the time delay input holds and when "Apply" has
// something to store.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The values "Apply" compares against: the time delay and check-box state last stored, or
// found when the window opened.
struct StoredSettings {
    int32_t timeDelay = 2;
    int32_t checkState = 0;
};

// The number in the time delay input: its leading decimal integer, brought into 0 to 3600;
// none for an empty text, a text that starts with no number, or a number outside 32 bits.
std::optional<int32_t> InputDelay(std::wstring_view inputText);

// "Apply" is enabled while the input holds a number and the number or the box differs from
// what was stored.
bool ApplyEnabled(std::wstring_view inputText, int32_t checkState, const StoredSettings& stored);

// The shown values as they are stored: the input's number (2 when it holds none) and the box.
StoredSettings ShownSettings(std::wstring_view inputText, int32_t checkState);

// The input's text as written to the settings file: as typed ("05" stays "05"), but only up
// to a line break, which would otherwise start a line of its own in the file; a delay outside
// 0 to 3600 is written as the nearest end of that range.
std::wstring DelayTextToStore(std::wstring_view inputText);
