#include <gtest/gtest.h>

#include "storage/hot_key_text.h"

namespace {

constexpr unsigned kCtrlAlt = kHotKeyCtrl | kHotKeyAlt;

// Each row: what a file may hold, the combination it reads as, and the text written back.
struct Row {
    const wchar_t* stored;
    HotKey read;
    const wchar_t* written;
};

const Row kRows[] = {
    {L"Ctrl+Alt+1", {kCtrlAlt, '1'}, L"Ctrl+Alt+1"},
    {L" alt + ctrl + a ", {kCtrlAlt, 'A'}, L"Ctrl+Alt+A"},
    {L"Win+Shift+F24", {kHotKeyWin | kHotKeyShift, 0x87}, L"Shift+Win+F24"},
    {L"Ctrl+pageup", {kHotKeyCtrl, 0x21}, L"Ctrl+Page Up"},
    {L"Alt+Space", {kHotKeyAlt, 0x20}, L"Alt+Space"},
    {L"Ctrl+Num +", {kHotKeyCtrl, 0x6B}, L"Ctrl+Num +"},
    {L"Ctrl+Alt+num7", {kCtrlAlt, 0x67}, L"Ctrl+Alt+Num 7"},
    {L"Ctrl+Alt+`", {kCtrlAlt, 0xC0}, L"Ctrl+Alt+`"},
    {L"Ctrl+0xe2", {kHotKeyCtrl, 0xE2}, L"Ctrl+0xE2"},
    {L"Ctrl+Ctrl+Delete", {kHotKeyCtrl, 0x2E}, L"Ctrl+Delete"},
};

// A plain key or Shift+key would swallow typing; modifiers alone are no combination.
const wchar_t* const kRefused[] = {L"1",          L"Shift+A", L"Ctrl+Alt",        L"Ctrl+Shift+0xA0",
                                   L"Ctrl+Alt++", L"Hyper+1", L"Ctrl+Alt+Banana", L"Ctrl+0xFF"};

}  // namespace

TEST(HotKeyText, StoredTextReadsAsItsCombinationAndWritesBackInTheUsualOrder) {
    for (const Row& row : kRows) {
        const std::optional<HotKey> read = ParseHotKey(row.stored);
        EXPECT_EQ(read.value_or(HotKey{}), row.read) << testing::PrintToString(std::wstring(row.stored));
        EXPECT_EQ(HotKeyText(read.value_or(HotKey{})), row.written);
    }
    for (const wchar_t* text : kRefused) EXPECT_FALSE(ParseHotKey(text)) << testing::PrintToString(std::wstring(text));
}

TEST(HotKeyText, EveryUsableCombinationComesBackAsItself) {
    for (unsigned modifiers = 1; modifiers < 16; ++modifiers) {
        for (unsigned key = 1; key < 0xFF; ++key) {
            const HotKey hotKey{modifiers, key};
            const std::wstring text = HotKeyText(hotKey);
            EXPECT_EQ(ParseHotKey(text).value_or(HotKey{}), IsUsableHotKey(hotKey) ? hotKey : HotKey{})
                << testing::PrintToString(text);
        }
    }
}
