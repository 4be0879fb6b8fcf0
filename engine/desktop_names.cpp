#include "engine/desktop_names.h"

const wchar_t* DesktopLibraryFileFor(uint32_t buildNumber) {
    if (buildNumber >= 26100) return L"VDA_Win11_24H2.dll";
    if (buildNumber >= 22000) return L"VDA_Win11.dll";
    return L"VDA_Win10.dll";
}

std::wstring DefaultDesktopName(uint32_t index) {
    return L"Desktop " + std::to_wstring(index + 1ULL);
}
