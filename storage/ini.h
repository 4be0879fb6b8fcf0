#pragma once
// Cluster files: the INI document engine and the three value operations through which the
// rest of the program reads and changes cluster files. Every call opens, parses and closes
// the file anew; nothing is cached.
#include <functional>
#include <string>

#include "storage/ini_document.h"

std::wstring ReadClusterValue(const std::wstring& clusterName, const std::wstring& section, const std::wstring& key,
                              const std::wstring& defaultValue);
void WriteClusterValue(const std::wstring& clusterName, const std::wstring& section, const std::wstring& key,
                       const std::wstring& value);
void DeleteClusterSection(const std::wstring& clusterName, const std::wstring& section);

// One user action, one write: the file is read once, `change` edits what it holds (returning
// false leaves the file as it was), and the result goes back in one atomic rewrite. True only
// when the file now holds the changed document; a file that cannot be read in full or
// written is left untouched.
bool RewriteClusterFile(const std::wstring& clusterName, const std::function<bool(IniDocument&)>& change);
// Writes a new cluster file holding the document. False, with nothing written, when a file of
// that name exists (under any name the file system takes for it) or cannot be written.
bool CreateClusterFile(const std::wstring& clusterName, const IniDocument& document);
