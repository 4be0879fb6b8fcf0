#pragma once
// Window entries of a parsed cluster file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/ini_document.h"
#include "storage/profile.h"

// True for the keys ReadWindowProfile reads.
bool IsWindowProfileKey(std::wstring_view key);

// Every section but "Configuration", in the order of its first header.
std::vector<std::wstring> WindowEntryNames(const IniDocument& document);

// The entry's record, or nothing when its "Position" or "Size" cannot be read.
std::optional<WindowProfile> ReadWindowProfile(const IniDocument& document, const std::wstring& entryName);
