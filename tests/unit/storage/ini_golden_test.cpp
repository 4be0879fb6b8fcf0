// Each row rewrites tests/data/ini/<name>.input.ini (absent: no file yet) with the listed
// changes and expects exactly the bytes of <name>.expected.ini.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/ini_file.h"
#include "storage_test_support.h"

namespace {

struct IniChange {
    bool deleteSection;
    std::wstring section;
    std::wstring key;
    std::wstring value;
};

IniChange Set(std::wstring section, std::wstring key, std::wstring value) {
    return {false, std::move(section), std::move(key), std::move(value)};
}
IniChange Delete(std::wstring section) {
    return {true, std::move(section), L"", L""};
}

struct GoldenCase {
    const char* name;
    std::vector<IniChange> changes;
};

const GoldenCase kCases[] = {
    {"changed_value_keeps_spacing",
     {Set(L"Editor", L"Title", L"New title"), Set(L"Editor", L"Path", L"C:\\Tools\\edit.exe"),
      Set(L"Editor", L"Size", L"1024 768")}},
    {"new_keys_land_at_end_of_their_section",
     {Set(L"First", L"c", L"3"), Set(L"Second", L"d", L"4"), Set(L"First", L"e", L"5")}},
    {"repeated_section_gains_new_key_in_both_blocks", {Set(L"Work", L"Rules", L"any")}},
    {"deleted_section_keeps_its_comments", {Delete(L"Gone")}},
    {"other_lines_and_keys_before_first_section_vanish", {}},
    {"byte_order_mark_is_dropped", {}},
    {"line_feeds_become_crlf", {}},
    {"final_line_break_disappears", {}},
    {"one_value_in_a_new_file_gives_two_lines", {Set(L"Work", L"Title", L"Mail")}},
    {"new_sections_are_appended_without_blank_line", {Set(L"B", L"x", L"1"), Set(L"B", L"y", L"2")}},
    // An existing key is found by its unescaped name and patched after its real separator.
    {"equals_sign_in_key_names", {Set(L"A", L"a=b", L"1"), Set(L"A", L"c=d", L"2")}},
    {"repeated_key_takes_last_value_in_every_line", {}},
    {"lone_carriage_return_stays_inside_its_line", {}},
};

void PrintTo(const GoldenCase& golden, std::ostream* out) {
    *out << golden.name;
}

class IniGolden : public testing::TestWithParam<GoldenCase> {};

TEST_P(IniGolden, RewriteGivesTheExpectedBytes) {
    const GoldenCase& golden = GetParam();
    const std::string name = golden.name;
    ScratchFolder scratch;
    const std::wstring path = scratch.File(L"cluster.ini");
    const std::wstring input = TestDataPath("ini/" + name + ".input.ini");
    if (FileExists(input)) WriteBytes(path, ReadBytes(input));

    const IniFile file(path);
    IniDocument document;
    file.read(document);
    for (const IniChange& change : golden.changes) {
        if (change.deleteSection) {
            document.Remove(change.section);
        } else {
            document.GetOrInsert(change.section).GetOrInsert(change.key) = change.value;
        }
    }
    ASSERT_TRUE(file.write(document));

    const std::string expected = ReadBytes(TestDataPath("ini/" + name + ".expected.ini"));
    ASSERT_FALSE(expected.empty()) << "missing golden file for " << name;
    EXPECT_EQ(ReadBytes(path), expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, IniGolden, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<GoldenCase>& info) { return std::string(info.param.name); });

}  // namespace
