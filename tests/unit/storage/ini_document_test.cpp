#include <gtest/gtest.h>

#include "storage/ini_document.h"
#include "storage/ini_parse.h"

namespace {

std::vector<std::wstring> Names(const IniSection& section) {
    std::vector<std::wstring> names;
    for (const auto& entry : section) names.push_back(entry.first);
    return names;
}

TEST(IniDocument, NamesAreTrimmedAndCaseSensitive) {
    IniSection section;
    section.GetOrInsert(L" \tKey\r\n") = L"v";
    EXPECT_TRUE(section.Has(L"Key"));
    EXPECT_TRUE(section.Has(L"  Key "));
    EXPECT_FALSE(section.Has(L"key"));
    EXPECT_EQ(section.size(), 1u);
}

TEST(IniDocument, RemovingKeepsOrderAndLookupsOfTheRest) {
    IniSection section;
    for (const wchar_t* name : {L"a", L"b", L"c", L"d"}) section.GetOrInsert(name) = name;
    EXPECT_TRUE(section.Remove(L" b "));
    EXPECT_FALSE(section.Remove(L"b"));
    EXPECT_EQ(Names(section), (std::vector<std::wstring>{L"a", L"c", L"d"}));
    EXPECT_EQ(*section.Find(L"d"), L"d");
    section.GetOrInsert(L"e") = L"e";
    EXPECT_EQ(*section.Find(L"c"), L"c");
    EXPECT_EQ(*section.Find(L"e"), L"e");
}

TEST(IniDocument, ParsingFollowsSectionsAndKeepsFirstPositions) {
    const IniDocument document = ParseIniDocument({
        L"early=ignored",
        L"[Work]",
        L"a=1",
        L"junk",
        L"b=2",
        L"[Empty]",
        L"[Work]",
        L"a=3",
        L"[work]",
    });
    ASSERT_EQ(document.size(), 3u);
    const IniSection& work = *document.Find(L"Work");
    EXPECT_EQ(Names(work), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(*work.Find(L"a"), L"3");
    EXPECT_TRUE(document.Find(L"Empty")->empty());
    EXPECT_TRUE(document.Has(L"work"));
}

// A reader that keeps a few keys skips the other lines undecoded; it must see exactly the
// sections of a full parse and, of their keys, the kept ones with the same values.
TEST(IniDocument, FilteredParsingKeepsEverySectionAndExactlyTheKeptKeys) {
    const char text[] =
        "\xEF\xBB\xBFk=before any section\n[A]\r\n  k  =  1 \r\nother=x\n\\=k=escaped\nk\\=e=2\n"
        "k=\xFF broken line\n; k=comment\n[B ; c]\nk=3\n[no close\nk=4\r\r\n\tk\t=\t5\n\xFF=x\n"
        "[\xC3\xA9]\nk=\0nul\n[A]\nk\n[Empty]\n[B]\nk=6\rk=7";
    const std::string bytes(text, sizeof(text) - 1);
    const auto keep = [](std::wstring_view, std::wstring_view key) { return key == L"k" || key == L"k=e"; };
    const IniDocument full = ParseIniBytes(bytes);
    const IniDocument kept = ParseIniBytes(bytes, keep);
    ASSERT_EQ(kept.size(), full.size());
    auto section = kept.begin();
    for (const auto& [name, keys] : full) {
        EXPECT_EQ(section->first, name);
        IniSection expected;
        for (const auto& [key, value] : keys) {
            if (keep(name, key)) expected.GetOrInsert(key) = value;
        }
        EXPECT_EQ(Names(section->second), Names(expected));
        for (const auto& [key, value] : expected) EXPECT_EQ(*section->second.Find(key), value);
        ++section;
    }
    EXPECT_EQ(*FindIniValue(kept, L"A", L"k"), L"5");
    EXPECT_EQ(*FindIniValue(kept, L"A", L"k=e"), L"2");
    EXPECT_EQ(*FindIniValue(kept, L"B", L"k"), L"6\rk=7");
    EXPECT_EQ(FindIniValue(kept, L"\u00E9", L"k")->size(), 4u);
}

TEST(IniDocument, ReaderFallsBackForMissingAndEmptyValues) {
    const IniDocument document = ParseIniDocument({L"[S]", L"empty=", L"full=x"});
    EXPECT_EQ(IniValueOr(document, L"S", L"full", L"d"), L"x");
    EXPECT_EQ(IniValueOr(document, L"S", L"empty", L"d"), L"d");
    EXPECT_EQ(IniValueOr(document, L"S", L"none", L"d"), L"d");
    EXPECT_EQ(IniValueOr(document, L"T", L"full", L"d"), L"d");
}

}  // namespace
