#pragma once
// Cluster files: the INI document engine and the three value operations through which the
// rest of the program reads and changes cluster files. Every call opens, parses and closes
// the file anew; nothing is cached.
#include <string>

std::wstring ReadClusterValue(const std::wstring& clusterName, const std::wstring& section, const std::wstring& key,
                              const std::wstring& defaultValue);
void WriteClusterValue(const std::wstring& clusterName, const std::wstring& section, const std::wstring& key,
                       const std::wstring& value);
void DeleteClusterSection(const std::wstring& clusterName, const std::wstring& section);
