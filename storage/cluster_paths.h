#pragma once
// How cluster names become file paths, and file names cluster names.
#include <optional>
#include <string>
#include <string_view>

// The text up to its first NUL: names may come from fixed-size, NUL-padded buffers.
std::wstring CutAtNul(std::wstring_view text);

// Appends ".ini" unless the last four characters are exactly that.
std::wstring WithIniExtension(std::wstring path);

// The file of a cluster: folder, backslash, name (up to its first NUL) and ".ini". Empty
// when the name cannot be a file name inside the folder (IsUsableClusterName); the empty
// name is the file ".ini".
std::wstring ClusterFilePath(const std::wstring& clusterFolder, std::wstring_view clusterName);

// The file that the cluster value operations use: as ClusterFilePath, but a name that
// already ends with ".ini" names the file itself. Empty for a name that is refused.
std::wstring ClusterValueFilePath(const std::wstring& clusterFolder, std::wstring_view clusterName);

// The cluster a listed file stands for: its name without ".ini" (in any case). Nothing for
// a file whose long name does not end so (the system's "*.ini" search also matches files
// whose short name alone ends in ".INI", such as an editor's backup "Work.ini~"), or whose
// name the path step would refuse.
std::optional<std::wstring> ClusterNameOfFile(std::wstring_view fileName);
