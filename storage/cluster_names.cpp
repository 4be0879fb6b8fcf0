#include "storage/cluster_names.h"

#include <cwctype>

namespace {

constexpr std::wstring_view kRefusedCharacters = L"\\/:*?\"<>|";
constexpr std::wstring_view kDeviceNames[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
constexpr std::wstring_view kNumberedDevices[] = {L"COM", L"LPT"};

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    }
    return true;
}

// Windows resolves "NUL", "nul.txt" and "COM1.ini" alike to devices: what counts is the part
// before the first dot, with trailing blanks ignored.
bool IsDeviceName(std::wstring_view name) {
    std::wstring_view stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
    for (std::wstring_view device : kDeviceNames) {
        if (EqualsIgnoringCase(stem, device)) return true;
    }
    for (std::wstring_view prefix : kNumberedDevices) {
        if (stem.size() == 4 && EqualsIgnoringCase(stem.substr(0, 3), prefix)) {
            const wchar_t digit = stem[3];
            // COM0 and LPT0 are ordinary names; the superscript digits are devices too.
            if ((digit >= L'1' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3') {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool IsUsableClusterName(std::wstring_view name) {
    if (name.empty()) return false;
    for (wchar_t c : name) {
        if (c < 0x20 || kRefusedCharacters.find(c) != std::wstring_view::npos) return false;
    }
    // The file system drops trailing dots and blanks: "Work." would open "Work". A name of
    // only dots and blanks would name the folder itself or its parent.
    if (name.back() == L'.' || name.back() == L' ') return false;
    return !IsDeviceName(name);
}
