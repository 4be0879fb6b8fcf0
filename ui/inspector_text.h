#pragma once
// The Inspector window's text rules: the entry name it proposes, which names and geometry
// texts it will glue, the rule text it writes, and which programs have an address bar.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "storage/profile.h"

// The name an entry is shown under: its section name, or else its title up to the first space
// (the whole title when it has none).
std::wstring DisplayName(const WindowProfile& record);

// A geometry field's text as a number: an optional sign and decimal digits, nothing else,
// within 32 bits. Anything else would be dropped by the loader or read as something else.
std::optional<int32_t> ParseGeometryNumber(std::wstring_view text);
// An entry name the cluster file can hold and read back as a window: no square brackets, no
// ";", no control characters, not only blanks and not the cluster's own "Configuration" section.
bool IsGlueableName(std::wstring_view name);

// The rule written while no Rules editor is open: the exact window title, or for a title that
// holds a quote or a line break, its longest part without them.
std::wstring TitleRuleText(const std::wstring& title);
// Browsers and File Explorer: their address is copied from the address bar when glued.
bool HasAddressBar(const std::wstring& exePath);
