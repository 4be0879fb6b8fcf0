#pragma once
// A cluster's hot key as its file holds it ("Ctrl+Alt+1"): modifier flags and a virtual-key
// code, read and written without the Windows headers. The flags have the values that
// RegisterHotKey takes.
#include <optional>
#include <string>
#include <string_view>

constexpr unsigned kHotKeyAlt = 0x1, kHotKeyCtrl = 0x2, kHotKeyShift = 0x4, kHotKeyWin = 0x8;

struct HotKey {
    unsigned modifiers = 0;   // kHotKey* flags
    unsigned virtualKey = 0;  // 1 to 254, no modifier key itself

    bool operator==(const HotKey& other) const {
        return modifiers == other.modifiers && virtualKey == other.virtualKey;
    }
    bool operator!=(const HotKey& other) const { return !(*this == other); }
};

// The key of the Configuration section that holds a cluster's hot key.
constexpr wchar_t kHotKeyKey[] = L"Hot Key";

bool IsUsableHotKey(const HotKey& hotKey);
// Ctrl, Alt, Shift and Win in that order, then the key, joined by "+"; empty when unusable.
std::wstring HotKeyText(const HotKey& hotKey);
// The stored form, in any case and with spaces anywhere; nothing when it names no usable
// combination.
std::optional<HotKey> ParseHotKey(std::wstring_view text);
