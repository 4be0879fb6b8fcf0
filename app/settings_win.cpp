// The two program settings in config.ini, read and written through the system's
// private-profile functions, and the autostart value in the Run key that mirrors one of them.
#include <string>

#include "app/shell.h"
#include "engine/settings_link.h"
#include "base/win_handles.h"

namespace {

constexpr wchar_t kSection[] = L"Settings";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Pinora";

}  // namespace

void WriteSetting(const wchar_t* key, const wchar_t* value) {
    WritePrivateProfileStringW(kSection, key, value, SettingsFilePath().c_str());
}

void WriteDefaultSettings() {
    WriteSetting(L"Time Delay", L"2");
    WriteSetting(L"Start with Windows", L"No");
}

bool ReadStartWithWindows(int bufferChars) {
    std::wstring buffer(static_cast<size_t>(bufferChars), L'\0');
    GetPrivateProfileStringW(kSection, L"Start with Windows", L"No", buffer.data(), static_cast<DWORD>(bufferChars),
                             SettingsFilePath().c_str());
    return wcscmp(buffer.c_str(), L"Yes") == 0;
}

// A delay edited into the file by hand may lie outside the range the Settings window stores.
int ReadTimeDelay() {
    const UINT stored = GetPrivateProfileIntW(kSection, L"Time Delay", 2, SettingsFilePath().c_str());
    return ClampTimeDelay(static_cast<int>(stored));
}

void ApplyAutostart(bool enabled) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_WRITE, &raw) != ERROR_SUCCESS) return;
    UniqueHkey key(raw);
    if (!enabled) {
        RegDeleteValueW(key.get(), kRunValue);
        return;
    }
    wchar_t exePath[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, exePath, MAX_PATH);
    if (length == 0) return;
    // A path cut at the buffer's end would start some other program at logon: keep the old value.
    if (length >= MAX_PATH) return;
    std::wstring quoted = L"\"" + std::wstring(exePath, length) + L"\"";
    RegSetValueExW(key.get(), kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(quoted.c_str()),
                   static_cast<DWORD>((quoted.size() + 1) * sizeof(wchar_t)));
}
