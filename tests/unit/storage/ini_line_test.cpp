#include <gtest/gtest.h>

#include "storage/ini_line.h"

namespace {

struct LineCase {
    const wchar_t* raw;
    IniLineKind kind;
    const wchar_t* name;
    const wchar_t* value;
};

void ExpectClassified(const LineCase& row) {
    const IniLine line = ClassifyIniLine(row.raw);
    EXPECT_EQ(line.kind, row.kind) << testing::PrintToString(std::wstring(row.raw));
    EXPECT_EQ(line.name, row.name) << testing::PrintToString(std::wstring(row.raw));
    EXPECT_EQ(line.value, row.value) << testing::PrintToString(std::wstring(row.raw));
}

TEST(IniLine, BlankCommentAndOtherLines) {
    const LineCase rows[] = {
        {L"", IniLineKind::Blank, L"", L""},
        {L" \t\r\f\v", IniLineKind::Blank, L"", L""},
        {L"  ; note = x", IniLineKind::Comment, L"", L""},
        {L"# not a comment", IniLineKind::Other, L"", L""},
        {L"no separator", IniLineKind::Other, L"", L""},
        {L"only\\=escaped", IniLineKind::Other, L"", L""},
    };
    for (const LineCase& row : rows) ExpectClassified(row);
}

TEST(IniLine, SectionHeaders) {
    const LineCase rows[] = {
        {L"[Work]", IniLineKind::Section, L"Work", L""},
        {L"  [ Work Mail ]  ", IniLineKind::Section, L"Work Mail", L""},
        {L"[]", IniLineKind::Section, L"", L""},
        {L"[Work] ; comment", IniLineKind::Section, L"Work", L""},
        {L"[Work] trailing", IniLineKind::Section, L"Work", L""},
        {L"[a]b]", IniLineKind::Section, L"a]b", L""},
        {L"[[x]", IniLineKind::Section, L"[x", L""},
        {L"[work]", IniLineKind::Section, L"work", L""},
    };
    for (const LineCase& row : rows) ExpectClassified(row);
}

TEST(IniLine, BracketLineWithSemicolonBeforeItsBracketIsNoHeader) {
    const LineCase rows[] = {
        {L"[a;b]", IniLineKind::Other, L"", L""},
        {L"[a=1;b]", IniLineKind::KeyValue, L"[a", L"1"},
        {L"[open", IniLineKind::Other, L"", L""},
        {L"[k=v", IniLineKind::KeyValue, L"[k", L"v"},
    };
    for (const LineCase& row : rows) ExpectClassified(row);
}

TEST(IniLine, KeyValueLines) {
    const LineCase rows[] = {
        {L"Title=Mail", IniLineKind::KeyValue, L"Title", L"Mail"},
        {L"  Title  =  Mail box  ", IniLineKind::KeyValue, L"Title", L"Mail box"},
        {L"URL=https://x/?a=b;c", IniLineKind::KeyValue, L"URL", L"https://x/?a=b;c"},
        {L"a\\=b=c\\=d", IniLineKind::KeyValue, L"a=b", L"c\\=d"},
        {L"a\\\\=b=c", IniLineKind::KeyValue, L"a\\=b", L"c"},
        {L"=value", IniLineKind::KeyValue, L"", L"value"},
        {L"Key=", IniLineKind::KeyValue, L"Key", L""},
        {L"k=v ; not a comment", IniLineKind::KeyValue, L"k", L"v ; not a comment"},
    };
    for (const LineCase& row : rows) ExpectClassified(row);
}

TEST(IniLine, KeySeparatorSkipsEscapedEquals) {
    EXPECT_EQ(FindIniKeySeparator(L"a\\=b=c"), 4u);
    EXPECT_EQ(FindIniKeySeparator(L"a\\\\=b=c"), 5u);
    EXPECT_EQ(FindIniKeySeparator(L"\\="), std::wstring::npos);
    EXPECT_EQ(EscapeIniKey(L"a=b=c"), L"a\\=b\\=c");
}

}  // namespace
