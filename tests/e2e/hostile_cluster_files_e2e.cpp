// Pinora over a clusters folder full of malformed files beside one good cluster: it starts,
// shows its tray icon, places the good cluster's window, lists every file a cluster can be
// in the tray menu and the Cluster Management window without hanging, and changes no file.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "driver/controls.h"
#include "engine_scenario.h"

using namespace pnrtest;

namespace {

constexpr UINT kManage = 1006;
constexpr int kClusterList = 3006;
constexpr int kOk = 3012;
const wchar_t kClusterWindowClass[] = L"PinoraClusterConfigWindow";

const RECT kGoodFrame = Rect(300, 200, 500, 400);
const RECT kToggledFrame = Rect(900, 150, 300, 200);

// File names the file system may refuse: each is used only when it can exist and lists
// under exactly that name. No cluster can have any of these names.
const wchar_t* const kRefusedNames[] = {
    L"CON.ini",        L"com1.ini",      L"LPT\u00B9.ini", L"nul.txt.ini", L"AUX .ini",  L"trailing dot..ini",
    L"blank end .ini", L"tab\there.ini", L"bell\x07.ini",  L"star*.ini",   L"what?.ini", L"quote\".ini",
    L"less<.ini",      L"more>.ini",     L"pipe|.ini",     L"colon:.ini",
};

std::string Repeat(const std::string& text, size_t count) {
    std::string out;
    out.reserve(text.size() * count);
    for (size_t i = 0; i < count; ++i) out += text;
    return out;
}

std::string RandomBytes(size_t count, unsigned seed, const std::string& alphabet = {}) {
    std::minstd_rand random(seed);
    std::string out(count, '\0');
    for (char& c : out) {
        const unsigned r = static_cast<unsigned>(random());
        c = alphabet.empty() ? static_cast<char>(r & 0xFF) : alphabet[r % alphabet.size()];
    }
    return out;
}

std::string Utf16(const std::string& ascii, bool bigEndian, bool byteOrderMark) {
    std::string out = byteOrderMark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
    for (char c : ascii) out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

std::string Crlf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

// An entry that would claim a window no test opens.
std::string UnclaimedEntry(const std::string& section) {
    const std::string title = "PNR Nothing " + section;
    return "[" + section + "]\nTitle=" + title + "\nClass=PnrTestWindow\nPath=Error\nPosition=5 5\nSize=50 50\n" +
           "Rules=Window title does match \"" + title + "\"\n";
}

// What the line rules care about, for text made of it.
const char kSoup[] = "[]=;\\\"\r\n\t \x00\xFF\xC3\xA9 aAz";

const std::string kActive = "[Configuration]\nActivate on Startup=Yes\nShow in Quick Menu=Yes\n";

std::map<std::wstring, std::string> MalformedFiles() {
    std::map<std::wstring, std::string> files;
    files[L"binary garbage.ini"] = RandomBytes(64 * 1024, 1);
    files[L"binary byte.ini"] = RandomBytes(1, 2);
    files[L"binary megabyte.ini"] = RandomBytes(1024 * 1024, 3);
    files[L"binary between lines.ini"] = kActive + RandomBytes(3000, 4) + "\n" + UnclaimedEntry("After");
    for (unsigned seed = 1; seed <= 12; ++seed) {
        files[L"ini soup " + std::to_wstring(seed) + L".ini"] =
            RandomBytes(seed * 4000, seed, std::string(kSoup, sizeof(kSoup) - 1));
    }
    std::string big = kActive;
    for (size_t line = 0; big.size() < 20 * 1024 * 1024; ++line) {
        if (line % 1000 == 0) big += "[Part " + std::to_string(line) + "]\n";
        big += "Key " + std::to_string(line) + "=" + std::string(40, static_cast<char>('a' + line % 26)) + "\n";
    }
    files[L"twenty megabytes.ini"] = big;
    files[L"one 4 MB section line.ini"] = "[" + std::string(4 * 1024 * 1024, 'S') + "]";
    files[L"one 4 MB key line.ini"] = "Activate on Startup=" + Repeat("Yes", 4 * 1024 * 1024 / 3);
    files[L"nul bytes.ini"] = std::string("[Configuration]\0\nActivate on Startup=Yes\0\n[Ent\0ry]\nTitle=\0x\n", 60) +
                              UnclaimedEntry(std::string("N\0ul", 4));
    files[L"nul only.ini"] = std::string(4096, '\0');
    const std::string wide = Crlf(kActive + UnclaimedEntry("Wide"));
    files[L"utf-16 with bom.ini"] = Utf16(wide, false, true);
    files[L"utf-16 without bom.ini"] = Utf16(wide, false, false);
    files[L"utf-16 big endian.ini"] = Utf16(wide, true, true);
    files[L"lone cr.ini"] = "[Configuration]\rActivate on Startup=Yes\r" + UnclaimedEntry("Cr") + "\r";
    files[L"mixed line ends.ini"] = "[Configuration]\r\r\nActivate on Startup=Yes\n\r[Mixed]\r\r\r\nTitle=x\n\r\n";
    std::string sections = kActive;
    for (int i = 0; i < 5000; ++i) sections += UnclaimedEntry("Entry " + std::to_string(i));
    files[L"5000 sections.ini"] = sections;
    files[L"sections without keys.ini"] = "[A]\n[B]\n[]\n[ ]\n[Configuration]\n[A]\n" + Repeat("[x]\n", 2000);
    files[L"keys before any section.ini"] = "Activate on Startup=Yes\nShow in Quick Menu=Yes\nTitle=PNR Hostile Good\n";
    files[L"duplicate sections.ini"] =
        "[Configuration]\nActivate on Startup=No\n[Dup]\nTitle=x\n[Configuration]\n"
        "Activate on Startup=Yes\n[Dup]\nPosition=5 5\nSize=5 5\n"
        "Rules=Window title does match \"PNR Nothing Dup\"\n" +
        Repeat(UnclaimedEntry("Dup"), 500);
    files[L"duplicate keys.ini"] = kActive + Repeat("Activate on Startup=Yes\nActivate on Startup=No\n", 5000);
    files[L"numbers out of range.ini"] =
        kActive +
        "[Far]\nTitle=PNR Nothing\nPosition=99999999999999999999 -99999999999999999999\nSize=2147483648 1\n"
        "Z-Level=-9999999999999999999999\n[Odd]\nPosition=0x7fffffff 1e309\nSize=-2147483649 +-1\nZ-Level=NaN\n"
        "[Empty]\nPosition= \nSize=1 2 3 4 5\n";
    files[L"numbers at the limits.ini"] =
        kActive +
        "[Max]\nTitle=PNR Hostile Limits\nClass=PnrTestWindow\nPath=Error\nPosition=2147483647 -2147483648\n"
        "Size=2147483647 2147483647\nZ-Level=2147483647\nRules=Window title does match \"PNR Hostile Limits\"\n"
        "[Min]\nTitle=PNR Hostile Limits 2\nClass=PnrTestWindow\nPath=Error\nPosition=-2147483648 2147483647\n"
        "Size=-2147483648 -2147483648\nZ-Level=-2147483648\nRules=Window title does match \"PNR Hostile Limits 2\"\n";
    files[L"invalid utf-8.ini"] = kActive + "[\xFF\xFE]\n[Over\xC0\x80long]\nTitle=\xED\xA0\x80\n[\xF4\x90\x80\x80]\n" +
                                  "[Cut\xE2\x82]\n" + UnclaimedEntry("Valid");
    files[L"legacy code page.ini"] = "[Configuration]\nActivate on Startup=Yes\n[Caf\xE9]\nTitle=na\xEFve\n";
    files[L"bom only.ini"] = "\xEF\xBB\xBF";
    files[L"empty.ini"] = "";
    files[L"two boms.ini"] = "\xEF\xBB\xBF\xEF\xBB\xBF" + kActive;
    files[L"brackets.ini"] = "[[[[\n]]]]\n[a;b]\n[;]\n[a]b]c]\n[ x ] ; c\n[\n]\n" + UnclaimedEntry("]");
    files[L"equals.ini"] = "[Configuration]\n=\n==\n\\=\\=\\==\\=\nActivate on Startup\\==Yes\n[=]\n=Title\n";
    files[L"long section name.ini"] = kActive + UnclaimedEntry(std::string(100000, 'L'));
    files[L"100000 keys.ini"] = kActive + [] {
        std::string keys = "[Many]\n";
        for (int i = 0; i < 100000; ++i) keys += "Key" + std::to_string(i) + "=v\n";
        return keys;
    }();
    files[L"huge rules.ini"] = kActive + "[Rules]\nTitle=PNR Nothing\nPosition=5 5\nSize=50 50\nRules=" +
                               Repeat("Window title does not match \"zzz\" AND ", 20000) +
                               "Window title does match \"PNR Nothing\"\n";
    files[L"blank lines.ini"] = Repeat("\r\n \t\r\n\n", 100000);
    files[L"configuration variants.ini"] =
        "[ Configuration ]\nActivate on Startup = Yes \n[configuration]\nShow in Quick Menu=Yes\n[CONFIGURATION]\n";
    files[L"quick menu launch.ini"] = kActive +
                                      "[Launch]\nTitle=x\nPosition=1 1\nSize=1 1\nLaunch with QuickMenu=Yes\n"
                                      "Path=\"\\\"&|<>%PATH%\nURL=\" --flag \"\\\\server\\\n"
                                      "Rules=Window title does match \"PNR Nothing Launch\" AND \"\n";
    files[L"hidden system.ini"] = kActive + UnclaimedEntry("Hidden");
    files[L"read-only.ini"] = kActive + UnclaimedEntry("ReadOnly");
    files[L"held open.ini"] = kActive + UnclaimedEntry("Held");
    files[L"\u00FCn\u00EFc\u00F6d\u00E9.ini"] = kActive + UnclaimedEntry("\xC3\xBC");
    files[L"\u65E5\u672C\u8A9E.ini"] = RandomBytes(500, 77);
    files[L"\U0001F600 emoji.ini"] = kActive;
    files[L"[brackets] in name.ini"] = kActive;
    files[L"semi;colon = and & percent%.ini"] = kActive;
    files[L" leading blank.ini"] = "";
    files[L"UPPER CASE.INI"] = kActive;
    files[L"Mixed Case.Ini"] = "[Configuration]\n";
    files[L"double.ini.ini"] = kActive + UnclaimedEntry("Double");
    files[std::wstring(200, L'n') + L".ini"] = kActive;
    // Files no cluster stands for.
    files[L"backup.ini~"] = kActive;
    files[L"notes.txt"] = kActive;
    files[L"no extension"] = kActive;
    return files;
}

// The entry that a user toggles from the tray menu, in a file that is malformed too: a key
// before any section and keys given twice, the later one counting.
std::string ToggledClusterText() {
    return "Activate on Startup=Yes\n[Configuration]\nActivate on Startup=No\n[Toggled]\nTitle=PNR Hostile Toggled\n"
           "Position=1 1\nClass=PnrTestWindow\nPath=Error\nPosition=900 150\nSize=300 200\n"
           "Rules=Window title does match \"PNR Hostile Toggled\"\n[Toggled]\nSize=300 200\n";
}

// Names in the clusters folder reached without the system's name rules, so that device
// names and names with trailing dots are the files themselves.
std::wstring RawPath(const std::wstring& name) {
    return L"\\\\?\\" + ClusterFolderPath() + L"\\" + name;
}

bool EndsWithIni(const std::wstring& name) {
    if (name.size() < 4) return false;
    std::wstring tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), towlower);
    return tail == L".ini";
}

std::vector<std::wstring> FolderEntries(const std::wstring& rawFolder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((rawFolder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// Removes everything a run left, names the usual path rules cannot reach and read-only
// files included.
void ClearClusterFolder() {
    const std::wstring raw = L"\\\\?\\" + ClusterFolderPath();
    for (const std::wstring& name : FolderEntries(raw)) {
        const std::wstring path = raw + L"\\" + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (DeleteFileW(path.c_str())) continue;
        for (const std::wstring& inner : FolderEntries(path)) DeleteFileW((path + L"\\" + inner).c_str());
        RemoveDirectoryW(path.c_str());
    }
    RemoveTree(PinoraDataFolder());
}

struct FileState {
    DWORD attributes = 0;
    uint64_t size = 0;
    FILETIME written = {};
    std::optional<std::string> bytes;  // none while another process holds the file
    bool operator==(const FileState& o) const {
        return attributes == o.attributes && size == o.size && CompareFileTime(&written, &o.written) == 0 &&
               bytes == o.bytes;
    }
};

// Every file under the folder by its relative path; folders by their attributes only.
std::map<std::wstring, FileState> FolderState(const std::wstring& rawFolder, const std::wstring& prefix = L"") {
    std::map<std::wstring, FileState> state;
    for (const std::wstring& name : FolderEntries(rawFolder)) {
        const std::wstring path = rawFolder + L"\\" + name;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) continue;
        FileState& file = state[prefix + name];
        file.attributes = data.dwFileAttributes;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            for (auto& [inner, innerState] : FolderState(path, prefix + name + L"\\")) state[inner] = innerState;
            continue;
        }
        file.size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
        file.written = data.ftLastWriteTime;
        file.bytes = ReadFileBytes(path);
    }
    return state;
}

std::string ChangedFiles(const std::map<std::wstring, FileState>& before,
                         const std::map<std::wstring, FileState>& after) {
    std::string changed;
    for (const auto& [name, state] : before) {
        const auto now = after.find(name);
        if (now == after.end()) {
            changed += "removed: " + Utf8(name) + "\n";
        } else if (!(now->second == state)) {
            changed += "changed: " + Utf8(name) + "\n";
        }
    }
    for (const auto& [name, state] : after) {
        if (!before.count(name)) changed += "added: " + Utf8(name) + "\n";
    }
    return changed;
}

class HostileClusterFiles : public testing::Test {
  protected:
    void SetUp() override {
        ClearClusterFolder();
        WriteTimeDelay(0);
        WriteCluster(L"Good", true, {{"PNR Hostile Good", kGoodFrame}});
        ASSERT_TRUE(WriteFileBytes(RawPath(L"\uFF5A toggled last.ini"), ToggledClusterText()));
        listed_ = {L"Good", L"\uFF5A toggled last"};
        for (const auto& [name, bytes] : MalformedFiles()) {
            ASSERT_TRUE(WriteFileBytes(RawPath(name), bytes)) << Utf8(name);
            if (EndsWithIni(name)) listed_.push_back(name.substr(0, name.size() - 4));
            ++malformed_;
        }
        for (const wchar_t* name : kRefusedNames) AddRefusedName(name);
        ASSERT_TRUE(CreateDirectoryW(RawPath(L"folder.ini").c_str(), nullptr));
        ASSERT_TRUE(WriteFileBytes(RawPath(L"folder.ini\\inner.ini"), kActive));
        ++malformed_;
        ASSERT_TRUE(SetFileAttributesW(RawPath(L"read-only.ini").c_str(), FILE_ATTRIBUTE_READONLY));
        ASSERT_TRUE(
            SetFileAttributesW(RawPath(L"hidden system.ini").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
        held_ = CreateFileW(RawPath(L"held open.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held_, INVALID_HANDLE_VALUE);
        std::sort(listed_.begin(), listed_.end());
    }

    void TearDown() override {
        ReleaseHeldFile();
        ClearClusterFolder();
    }

    void ReleaseHeldFile() {
        if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
        held_ = INVALID_HANDLE_VALUE;
    }

    // Used only when the file system lets the name exist and lists it under that name.
    void AddRefusedName(const std::wstring& name) {
        if (!WriteFileBytes(RawPath(name), kActive)) return;
        const std::vector<std::wstring> entries = FolderEntries(L"\\\\?\\" + ClusterFolderPath());
        if (std::find(entries.begin(), entries.end(), name) == entries.end()) {
            DeleteFileW(RawPath(name).c_str());
            return;
        }
        ++malformed_;
        refusedNames_.push_back(Utf8(name));
    }

    std::vector<std::wstring> listed_;  // the clusters the folder holds, sorted as the menu shows them
    int malformed_ = 0;
    std::vector<std::string> refusedNames_;
    HANDLE held_ = INVALID_HANDLE_VALUE;
};

TEST_F(HostileClusterFiles, StartUpMenuAndManagementListEveryClusterAndChangeNoFile) {
    ASSERT_GE(malformed_, 60);
    for (size_t i = 0; i < refusedNames_.size(); ++i) {
        RecordProperty("refused name " + std::to_string(i + 1), refusedNames_[i]);
    }
    const std::wstring folder = L"\\\\?\\" + ClusterFolderPath();
    const auto before = FolderState(folder);

    TestWindows helper;
    HWND good = helper.Open(L"PNR Hostile Good", Rect(10, 10, 400, 300));
    HWND toggled = helper.Open(L"PNR Hostile Toggled", Rect(20, 500, 300, 200));
    // Windows that entries with numbers at the limits of their range claim, in a program of
    // their own.
    TestWindows limits;
    limits.Open(L"PNR Hostile Limits", Rect(40, 40, 200, 100));
    limits.Open(L"PNR Hostile Limits 2", Rect(60, 60, 200, 100));
    ASSERT_TRUE(good && toggled);

    PinoraApp app({/*resetData=*/false});
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(TrayIconExists(app.NotifyWindow(), kTrayIconId));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(good, kGoodFrame); }, 3000ms)) << Describe(WindowRect(good));
    EXPECT_FALSE(IsAt(toggled, kToggledFrame));
    EXPECT_EQ(ChangedFiles(before, FolderState(folder)), "") << "after start-up";

    // The tray menu lists every cluster: the last one sits as many places below "Manage" as
    // there are clusters, and choosing it activates it.
    const auto last = std::find(listed_.begin(), listed_.end(), L"\uFF5A toggled last");
    ASSERT_EQ(last + 1, listed_.end());
    ASSERT_TRUE(ChooseCluster(app, static_cast<int>(listed_.size())));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(toggled, kToggledFrame); }, 3000ms)) << Describe(WindowRect(toggled));
    EXPECT_EQ(ChangedFiles(before, FolderState(folder)), "") << "after the tray menu";

    // Cluster Management lists the same clusters, and shows each one chosen in it.
    ASSERT_TRUE(app.Command(kManage));
    const HWND window = WaitForWindowOf(app.ProcessId(), kClusterWindowClass, 10000ms);
    ASSERT_NE(window, nullptr);
    SyncWindow(window, 10000ms);
    const HWND list = Control(window, kClusterList);
    std::vector<std::wstring> shown = ListItems(list);
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, listed_);
    for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
        SelectListItem(list, i);
        SyncWindow(window, 10000ms);
        ASSERT_EQ(ListSelection(list), i);
    }
    Click(Control(window, kOk));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
    EXPECT_TRUE(app.Sync());
    EXPECT_EQ(ChangedFiles(before, FolderState(folder)), "") << "after Cluster Management";

    EXPECT_TRUE(TopLevelWindowsOf(app.ProcessId(), L"#32770").empty()) << "a message box showed";
    app.Quit();
    EXPECT_TRUE(app.WaitForExit(5000ms).has_value());
    // The file that was held open is read once it is let go.
    const auto afterQuit = FolderState(folder);
    ReleaseHeldFile();
    EXPECT_EQ(ChangedFiles(before, afterQuit), "") << "after Quit";
    EXPECT_EQ(ReadFileBytes(RawPath(L"held open.ini")), kActive + UnclaimedEntry("Held"));
}

}  // namespace
