#pragma once
// Text rules of virtual-desktop access: which desktop library matches the system build, and
// the name of a desktop that has none of its own.
#include <cstdint>
#include <string>

// "VDA_Win11_24H2.dll" from build 26100, "VDA_Win11.dll" from 22000, "VDA_Win10.dll" below
// (also for 0, when the version could not be read).
const wchar_t* DesktopLibraryFileFor(uint32_t buildNumber);

// "Desktop " followed by the 1-based number of the desktop at zero-based index.
std::wstring DefaultDesktopName(uint32_t index);
