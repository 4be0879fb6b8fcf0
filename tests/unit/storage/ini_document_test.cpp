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

TEST(IniDocument, ReaderFallsBackForMissingAndEmptyValues) {
    const IniDocument document = ParseIniDocument({L"[S]", L"empty=", L"full=x"});
    EXPECT_EQ(IniValueOr(document, L"S", L"full", L"d"), L"x");
    EXPECT_EQ(IniValueOr(document, L"S", L"empty", L"d"), L"d");
    EXPECT_EQ(IniValueOr(document, L"S", L"none", L"d"), L"d");
    EXPECT_EQ(IniValueOr(document, L"T", L"full", L"d"), L"d");
}

}  // namespace
