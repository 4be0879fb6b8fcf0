#pragma once
// How cluster names become file paths.
#include <string>
#include <string_view>

// The text up to its first NUL: names may come from fixed-size, NUL-padded buffers.
std::wstring CutAtNul(std::wstring_view text);

// Appends ".ini" unless the last four characters are exactly that.
std::wstring WithIniExtension(std::wstring path);

// The file that the cluster value operations use: folder, backslash, name, and ".ini" when
// the name does not already end with it.
std::wstring ClusterValueFilePath(const std::wstring& clusterFolder, const std::wstring& clusterName);
