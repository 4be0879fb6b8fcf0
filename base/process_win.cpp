#include "base/process.h"

HINSTANCE AppInstance = nullptr;
wchar_t AppDataPath[MAX_PATH] = {};
OsVersionNumbers OsVersion;
bool IsWindows11 = false;

std::wstring AppDataRoot() {
    return std::wstring(AppDataPath) + L"\\Pinora";
}
std::wstring ClusterFolder() {
    return AppDataRoot() + L"\\Clusters";
}
std::wstring SettingsFilePath() {
    return AppDataRoot() + L"\\config.ini";
}

void NameCurrentThread(const wchar_t* name) {
    using SetThreadDescriptionFn = HRESULT(WINAPI*)(HANDLE, PCWSTR);
    static const auto setDescription = reinterpret_cast<SetThreadDescriptionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetThreadDescription")));
    if (setDescription) setDescription(GetCurrentThread(), name);
}
