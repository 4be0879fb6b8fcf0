// Virtual desktops by name. The desktop library matching the system build is loaded at
// start-up when it lies beside the program; desktops are named from the current user's registry. Without the
// library, or without one of its entry points, every operation quietly does nothing.
#include "base/program_library.h"
#include "base/win_handles.h"
#include "engine/desktop_names.h"
#include "engine/engine.h"

namespace {

using GetWindowDesktopNumberFn = int(__cdecl*)(HWND);
using MoveWindowToDesktopNumberFn = int(__cdecl*)(HWND, int);
using UnregisterPostMessageHookFn = int(__cdecl*)(HWND);

// Written once on the main thread during start-up, before any thread that reads them exists.
HMODULE DesktopLibrary = nullptr;
GetWindowDesktopNumberFn GetWindowDesktopNumber = nullptr;
MoveWindowToDesktopNumberFn MoveWindowToDesktopNumber = nullptr;
UnregisterPostMessageHookFn UnregisterPostMessageHook = nullptr;

constexpr wchar_t kDesktopsKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VirtualDesktops\\Desktops";

template <typename Fn>
Fn Entry(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(DesktopLibrary, name)));
}

UniqueHkey OpenKey(HKEY parent, const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
    return UniqueHkey(key);
}

// The subkey name at index, or false when the enumeration has no such entry.
bool DesktopSubkeyAt(HKEY desktops, DWORD index, std::wstring* name) {
    wchar_t buffer[64] = {};
    DWORD length = 64;
    if (RegEnumKeyExW(desktops, index, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    name->assign(buffer, length);
    return true;
}

// The user-given name of a desktop subkey; empty when it has none or it cannot be read.
std::wstring UserGivenName(HKEY desktop) {
    wchar_t value[257] = {};  // 512 bytes to read into, plus a terminator the registry may not store
    DWORD size = 512;
    if (RegQueryValueExW(desktop, L"Name", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS) {
        return {};
    }
    return value;
}

std::wstring NameOrDefault(std::wstring userGiven, DWORD index) {
    return userGiven.empty() ? DefaultDesktopName(index) : userGiven;
}

}  // namespace

void LoadDesktopLibrary() {
    DesktopLibrary = LoadLibraryBesideProgram(DesktopLibraryFileFor(OsVersion.build));
    if (!DesktopLibrary) return;
    GetWindowDesktopNumber = Entry<GetWindowDesktopNumberFn>("GetWindowDesktopNumber");
    MoveWindowToDesktopNumber = Entry<MoveWindowToDesktopNumberFn>("MoveWindowToDesktopNumber");
    UnregisterPostMessageHook = Entry<UnregisterPostMessageHookFn>("UnregisterPostMessageHook");
}

// Under the engine lock: an animator step (which holds it) may be calling into the library.
void FreeDesktopLibrary() {
    std::lock_guard<std::recursive_mutex> lock(EngineMutex);
    if (!DesktopLibrary) return;
    GetWindowDesktopNumber = nullptr;
    MoveWindowToDesktopNumber = nullptr;
    UnregisterPostMessageHook = nullptr;
    FreeLibrary(DesktopLibrary);
    DesktopLibrary = nullptr;
}

void UnregisterDesktopHook(HWND window) {
    if (DesktopLibrary && UnregisterPostMessageHook) UnregisterPostMessageHook(window);
}

std::wstring DesktopNameOf(HWND window) {
    if (!GetWindowDesktopNumber) return {};
    const int number = GetWindowDesktopNumber(window);
    if (number < 0) return {};
    UniqueHkey desktops = OpenKey(HKEY_CURRENT_USER, kDesktopsKey);
    if (!desktops) return {};
    std::wstring subkey;
    if (!DesktopSubkeyAt(desktops.get(), static_cast<DWORD>(number), &subkey)) return {};
    UniqueHkey desktop = OpenKey(desktops.get(), subkey.c_str());
    return NameOrDefault(desktop ? UserGivenName(desktop.get()) : std::wstring(), static_cast<DWORD>(number));
}

bool MoveWindowToDesktopByName(const WindowProfile& profile, const std::wstring& desktopName) {
    if (!MoveWindowToDesktopNumber) return false;
    UniqueHkey desktops = OpenKey(HKEY_CURRENT_USER, kDesktopsKey);
    if (!desktops) return false;
    std::wstring subkey;
    for (DWORD index = 0; DesktopSubkeyAt(desktops.get(), index, &subkey); ++index) {
        // A subkey that cannot be opened is passed over, but its index still counts.
        UniqueHkey desktop = OpenKey(desktops.get(), subkey.c_str());
        if (desktop && NameOrDefault(UserGivenName(desktop.get()), index) == desktopName) {
            MoveWindowToDesktopNumber(GetAncestor(profile.hwnd, GA_ROOT), static_cast<int>(index));
            return true;
        }
    }
    return false;
}
