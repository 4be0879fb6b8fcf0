#pragma once
// The Inspector window's text rules: the entry name it proposes, which names and geometry
// texts it will glue, the rule text it writes, and which programs have an address bar.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "storage/ini_document.h"
#include "storage/profile.h"

// The name an entry is shown under: its section name, or else its title up to the first space
// (the whole title when it has none).
std::wstring DisplayName(const WindowProfile& record);

// A geometry field's text as a number: an optional sign and decimal digits, nothing else,
// within 32 bits. Anything else would be dropped by the loader or read as something else.
std::optional<int32_t> ParseGeometryNumber(std::wstring_view text);
// The geometry texts X, Y, width, height and z-level as "Glue" writes them: all numbers, and a
// frame at least one pixel wide and high.
bool IsGlueableGeometry(const std::array<std::wstring, 5>& texts);
// An entry name the cluster file can hold and read back as a window: no square brackets, no
// ";", no control characters, not only blanks and not the cluster's own "Configuration" section.
bool IsGlueableName(std::wstring_view name);

// True when the cluster holds an entry of that name whose rule does not recognise the window:
// the entry is another window's, and gluing under its name would overwrite it. The window's
// own entry, and a name the cluster does not hold, are free.
bool BelongsToAnotherWindow(const IniDocument& cluster, std::wstring_view name, const WindowProfile& window);

// The rule written while no Rules editor is open: the exact window title, or for a title that
// holds a quote or a line break, its longest part without them.
std::wstring TitleRuleText(const std::wstring& title);
// Browsers and File Explorer: their address is copied from the address bar when glued.
bool HasAddressBar(const std::wstring& exePath);
