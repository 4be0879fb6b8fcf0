#pragma once
// The Quick Menu ids of the last tray menu: cluster name to command id (main thread only).
#include <cstdint>
#include <map>
#include <string>

extern std::map<std::wstring, uint64_t> QuickMenuIdMap;
