#include "storage/hot_key_text.h"

#include <cwctype>

namespace {

struct KeyName {
    unsigned virtualKey;
    const wchar_t* name;
};

// Punctuation keys carry their US-layout character; the fallback "0xNN" covers every other key.
const KeyName kKeyNames[] = {
    {0x08, L"Backspace"}, {0x09, L"Tab"},     {0x0D, L"Enter"},     {0x13, L"Pause"}, {0x1B, L"Esc"},
    {0x20, L"Space"},     {0x21, L"Page Up"}, {0x22, L"Page Down"}, {0x23, L"End"},   {0x24, L"Home"},
    {0x25, L"Left"},      {0x26, L"Up"},      {0x27, L"Right"},     {0x28, L"Down"},  {0x2C, L"Print Screen"},
    {0x2D, L"Insert"},    {0x2E, L"Delete"},  {0x6A, L"Num *"},     {0x6B, L"Num +"}, {0x6D, L"Num -"},
    {0x6E, L"Num ."},     {0x6F, L"Num /"},   {0xBA, L";"},         {0xBB, L"="},     {0xBC, L","},
    {0xBD, L"-"},         {0xBE, L"."},       {0xBF, L"/"},         {0xC0, L"`"},     {0xDB, L"["},
    {0xDC, L"\\"},        {0xDD, L"]"},       {0xDE, L"'"},
};

struct ModifierName {
    unsigned flag;
    const wchar_t* name;
};
const ModifierName kModifierNames[] = {
    {kHotKeyCtrl, L"Ctrl"}, {kHotKeyAlt, L"Alt"}, {kHotKeyShift, L"Shift"}, {kHotKeyWin, L"Win"}};

constexpr unsigned kNumpad0 = 0x60, kF1 = 0x70, kF24 = 0x87;

bool IsModifierKey(unsigned virtualKey) {
    return (virtualKey >= 0x10 && virtualKey <= 0x12) || virtualKey == 0x5B || virtualKey == 0x5C ||
           (virtualKey >= 0xA0 && virtualKey <= 0xA5);
}

std::wstring KeyText(unsigned virtualKey) {
    if ((virtualKey >= L'0' && virtualKey <= L'9') || (virtualKey >= L'A' && virtualKey <= L'Z')) {
        return std::wstring(1, static_cast<wchar_t>(virtualKey));
    }
    if (virtualKey >= kNumpad0 && virtualKey < kNumpad0 + 10) return L"Num " + std::to_wstring(virtualKey - kNumpad0);
    if (virtualKey >= kF1 && virtualKey <= kF24) return L"F" + std::to_wstring(virtualKey - kF1 + 1);
    for (const KeyName& key : kKeyNames) {
        if (key.virtualKey == virtualKey) return key.name;
    }
    const wchar_t* digits = L"0123456789ABCDEF";
    return std::wstring(L"0x") + digits[virtualKey >> 4] + digits[virtualKey & 0xF];
}

// Lower case without spaces: "page up", "PageUp" and "Page  Up" name one key.
std::wstring Folded(std::wstring_view text) {
    std::wstring folded;
    for (wchar_t c : text) {
        if (!std::iswspace(c)) folded += static_cast<wchar_t>(std::towlower(c));
    }
    return folded;
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

std::optional<unsigned> ParseFallbackKey(const std::wstring& folded) {
    if (folded.size() < 3 || folded.size() > 4 || folded.compare(0, 2, L"0x") != 0) return std::nullopt;
    unsigned value = 0;
    for (size_t i = 2; i < folded.size(); ++i) {
        const int digit = HexDigit(folded[i]);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value;
}

// Every named key is found by writing it: the names are few and the writer is their one source.
std::optional<unsigned> ParseKey(std::wstring_view text) {
    const std::wstring folded = Folded(text);
    if (folded.empty()) return std::nullopt;
    if (const auto fallback = ParseFallbackKey(folded)) return fallback;
    for (unsigned virtualKey = 1; virtualKey < 0xFF; ++virtualKey) {
        if (Folded(KeyText(virtualKey)) == folded) return virtualKey;
    }
    return std::nullopt;
}

std::optional<unsigned> ModifierFlag(std::wstring_view text) {
    const std::wstring folded = Folded(text);
    for (const ModifierName& modifier : kModifierNames) {
        if (Folded(modifier.name) == folded) return modifier.flag;
    }
    return std::nullopt;
}

}  // namespace

bool IsUsableHotKey(const HotKey& hotKey) {
    const bool holdsCommandModifier = (hotKey.modifiers & (kHotKeyCtrl | kHotKeyAlt | kHotKeyWin)) != 0;
    const bool onlyKnownModifiers = (hotKey.modifiers & ~(kHotKeyCtrl | kHotKeyAlt | kHotKeyShift | kHotKeyWin)) == 0;
    return holdsCommandModifier && onlyKnownModifiers && hotKey.virtualKey > 0 && hotKey.virtualKey < 0xFF &&
           !IsModifierKey(hotKey.virtualKey);
}

std::wstring HotKeyText(const HotKey& hotKey) {
    if (!IsUsableHotKey(hotKey)) return L"";
    std::wstring text;
    for (const ModifierName& modifier : kModifierNames) {
        if (hotKey.modifiers & modifier.flag) text += std::wstring(modifier.name) + L"+";
    }
    return text + KeyText(hotKey.virtualKey);
}

// Modifiers are taken from the front up to the first part that names none; the rest is the
// key, so a key whose name holds "+" ("Num +") reads whole.
std::optional<HotKey> ParseHotKey(std::wstring_view text) {
    HotKey hotKey;
    for (size_t plus = text.find(L'+'); plus != std::wstring_view::npos; plus = text.find(L'+')) {
        const auto flag = ModifierFlag(text.substr(0, plus));
        if (!flag) break;
        hotKey.modifiers |= *flag;
        text.remove_prefix(plus + 1);
    }
    const auto key = ParseKey(text);
    if (!key) return std::nullopt;
    hotKey.virtualKey = *key;
    if (!IsUsableHotKey(hotKey)) return std::nullopt;
    return hotKey;
}
