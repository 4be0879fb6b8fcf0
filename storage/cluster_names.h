#pragma once
// Which cluster names can be file names inside the clusters folder. A cluster name becomes
// "<name>.ini" in that folder, so a name must never leave the folder, name a device, or be
// changed by the file system into another name.
#include <string_view>

bool IsUsableClusterName(std::wstring_view name);
