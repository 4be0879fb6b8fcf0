// Custom actions of the installer, built into a small DLL that the package carries in its
// Binary table (the installer loads it, calls one export, and unloads it). Every action ignores
// failures: a missing key or a program that will not quit must never stop an (un)installation.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>

#include "base/ids.h"
#include "base/win_handles.h"

namespace {

// The program writes this value itself while "Start with Windows" is on; the installer never
// does, so no registry table of the package can take it away again.
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Pinora";
// The autostart value as found before an upgrade removed the older version.
constexpr wchar_t kRememberedProperty[] = L"PINORA_AUTOSTART";
constexpr wchar_t kProgramFile[] = L"Pinora.exe";
constexpr wchar_t kNotifyWindowClass[] = L"PinoraNotifyWindow";
// Quit pauses a second before the process ends; leave room for a slow machine.
constexpr DWORD kQuitWaitMs = 10000;

std::wstring ReadRunValue() {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
        return L"";
    }
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, data.data(), &bytes) !=
        ERROR_SUCCESS) {
        return L"";
    }
    data.resize(wcslen(data.c_str()));
    return data;
}

std::wstring ReadProperty(MSIHANDLE install, const wchar_t* name) {
    DWORD chars = 0;
    wchar_t empty[1] = L"";
    if (MsiGetPropertyW(install, name, empty, &chars) != ERROR_MORE_DATA) return L"";
    std::wstring value(chars + 1, L'\0');
    chars = static_cast<DWORD>(value.size());
    if (MsiGetPropertyW(install, name, value.data(), &chars) != ERROR_SUCCESS) return L"";
    value.resize(chars);
    return value;
}

// The program writes its path in double quotes; a value edited by hand may lack them, and
// paths on Windows ignore case.
bool NamesProgram(const std::wstring& value, const std::wstring& exe) {
    const size_t first = value.find_first_not_of(L" \"");
    if (first == std::wstring::npos || exe.empty()) return false;
    const std::wstring path = value.substr(first, value.find_last_not_of(L" \"") + 1 - first);
    return CompareStringOrdinal(path.c_str(), -1, exe.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

// Full uninstall: take the autostart value away, so that logon no longer starts a program
// that is gone; a value naming a portable copy elsewhere is that copy's and stays. Upgrades
// skip this action (the package's condition), keeping the setting. Being deferred, it gets the
// installed program's path as its CustomActionData.
extern "C" __declspec(dllexport) UINT __stdcall RemoveAutostartValue(MSIHANDLE install) {
    if (!NamesProgram(ReadRunValue(), ReadProperty(install, L"CustomActionData"))) return ERROR_SUCCESS;
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &raw) == ERROR_SUCCESS) {
        UniqueHkey key(raw);
        RegDeleteValueW(key.get(), kRunValue);
    }
    return ERROR_SUCCESS;
}

// Some installer engines remove the older version without telling its uninstall that an
// upgrade is under way, and its RemoveAutostartValue then runs. The newer package therefore
// notes the value before the older version goes and puts it back once it is installed: as the
// path of the program just installed when it named the installed program (the folder is kept
// across upgrades), as it was when it named a copy elsewhere.
extern "C" __declspec(dllexport) UINT __stdcall RememberAutostartValue(MSIHANDLE install) {
    const std::wstring data = ReadRunValue();
    if (!data.empty()) MsiSetPropertyW(install, kRememberedProperty, data.c_str());
    return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT __stdcall RestoreAutostartValue(MSIHANDLE install) {
    const std::wstring found = ReadProperty(install, kRememberedProperty);
    if (found.empty()) return ERROR_SUCCESS;
    const std::wstring installed = ReadProperty(install, L"INSTALLDIR") + kProgramFile;
    const std::wstring data = NamesProgram(found, installed) ? L"\"" + installed + L"\"" : found;
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &raw) != ERROR_SUCCESS) return ERROR_SUCCESS;
    UniqueHkey key(raw);
    RegSetValueExW(key.get(), kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    return ERROR_SUCCESS;
}

// Before files are replaced or removed: a running copy holds Pinora.exe open. Choosing "Quit"
// for it takes its tray icon and hot key away as a user's Quit would.
extern "C" __declspec(dllexport) UINT __stdcall QuitRunningPinora(MSIHANDLE) {
    HWND notifyWindow = FindWindowW(kNotifyWindowClass, nullptr);
    if (!notifyWindow) return ERROR_SUCCESS;
    DWORD processId = 0;
    GetWindowThreadProcessId(notifyWindow, &processId);
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!PostMessageW(notifyWindow, WM_COMMAND, IDM_QUIT, 0)) return ERROR_SUCCESS;
    if (IsValid(process)) WaitForSingleObject(process.get(), kQuitWaitMs);
    return ERROR_SUCCESS;
}
