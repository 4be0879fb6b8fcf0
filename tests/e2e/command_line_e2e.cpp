// Pinora.exe with a command, run from another process: the running copy changes as the tray
// would, the exit code and the printed line tell the result, and a copy is started when none
// runs. Command data from any other program is checked before it is used.
#include <algorithm>
#include <atomic>
#include <functional>

#include "engine_scenario.h"

using namespace pnrtest;

namespace {

const RECT kElsewhere = Rect(40, 40, 320, 240);

struct CommandRun {
    DWORD exit = 0xFFFF;
    std::string output;  // both streams
};

CommandRun RunPinora(const std::wstring& exe, const std::wstring& arguments) {
    static std::atomic<int> runs{0};
    const std::wstring outputPath = AppDataFolder() + L"\\pnr-command-" + std::to_wstring(runs++) + L".txt";
    SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
    const HANDLE output = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                      CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup = {sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    std::wstring line = L"\"" + exe + L"\" " + arguments;
    CommandRun run;
    if (CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &run.exit);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(output);
    run.output = ReadFileBytes(outputPath).value_or("");
    DeleteFileW(outputPath.c_str());
    return run;
}

bool TooltipShows(const std::wstring& text) {
    return WaitUntil(
        [&] {
            const std::vector<std::wstring> shown = TrayTooltipTexts();
            return std::find(shown.begin(), shown.end(), text) != shown.end();
        },
        3000ms);
}

class CommandLine : public EngineScenario {};

TEST_F(CommandLine, EachCommandChangesTheRunningCopyAsTheTrayWouldAndExitsWithItsResult) {
    WriteTimeDelay(0);
    const RECT workFrame = Rect(300, 200, 500, 350), padFrame = Rect(260, 180, 700, 500);
    WriteCluster(L"Work Desk", false, {{"PNR Commanded", workFrame}});
    WriteClusterFile(L"Pad",
                     "[Configuration]\n[Notepad]\nTitle=Notepad\nPosition=260 180\nSize=700 500\n"
                     "Rules=Executable name does match \"notepad.exe\"\n");
    WriteClusterFile(L"Gone",
                     "[Configuration]\n[Gone]\nTitle=Gone\nPath=C:\\nowhere\\gone.exe\nPosition=0 0\n"
                     "Size=300 200\nRules=Window title does match \"Gone\"\n");
    TestWindows helper;
    const HWND window = helper.Open(L"PNR Commanded", kElsewhere);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Notepad");  // it reopens where it was closed
    ProgramRun notepad(L"notepad.exe");
    const HWND pad = notepad.WaitForMainWindow();
    ASSERT_NE(pad, nullptr);
    StartPinora();
    WriteCluster(L"Later", false, {});  // known only after a reload

    struct Row {
        std::wstring arguments;
        DWORD exit;
        const char* says;
        std::function<bool()> effect;
    };
    const Row rows[] = {
        {L"--toggle Later", 3, "", [] { return TooltipShows(L"Pinora"); }},
        {L"--reload", 0, "read again", [] { return true; }},
        {L"--toggle Later", 0, "", [] { return TooltipShows(L"Pinora (active)\nLater"); }},
        {L"--toggle Later", 0, "", [] { return TooltipShows(L"Pinora"); }},
        {L"--activate \"Work Desk\"", 0, "\"Work Desk\" is active",
         [&] {
             return TooltipShows(L"Pinora (active)\nWork Desk") && WaitUntil([&] { return IsAt(window, workFrame); });
         }},
        {L"--toggle \"Work Desk\"", 0, "is inactive", [] { return TooltipShows(L"Pinora"); }},
        {L"--toggle Nowhere", 3, "no cluster is named \"Nowhere\"", [] { return TooltipShows(L"Pinora"); }},
        {L"--toggle", 2, "--toggle needs a cluster name", [] { return TooltipShows(L"Pinora"); }},
        {L"--activate Pad", 0, "", [&] { return WaitUntil([&] { return IsAt(pad, padFrame); }); }},
        {L"--deactivate Pad", 0, "\"Pad\" is inactive", [] { return TooltipShows(L"Pinora"); }},
        {L"--open-missing Gone", 1, "could not be opened",
         [&] { return TooltipShows(L"Pinora (active)\nGone") && !FindMessageBox(App().ProcessId(), L"Pinora"); }},
        {L"--save-open-windows Snap", 0, "saved as \"Snap\"",
         [] { return FileExists(ClusterFolderPath() + L"\\Snap.ini"); }},
        {L"--save-open-windows Snap", 1, "exists already", [] { return true; }},
        {L"--quit", 0, "", [&] { return !App().IsRunning(); }},
    };
    for (const Row& row : rows) {
        const CommandRun run = RunPinora(App().ExePath(), row.arguments);
        EXPECT_EQ(run.exit, row.exit) << Utf8(row.arguments) << ": " << run.output;
        EXPECT_NE(run.output.find(row.says), std::string::npos) << Utf8(row.arguments) << ": " << run.output;
        EXPECT_TRUE(row.effect()) << Utf8(row.arguments);
    }
}

TEST_F(CommandLine, TwoCommandsWithNoCopyRunningStartOneCopyThatCarriesOutBoth) {
    WriteCluster(L"Work", false, {});
    WriteCluster(L"Chat", false, {});
    PinoraApp app({/*resetData=*/false});  // the exe, not started
    CommandRun chat;
    std::thread other([&] { chat = RunPinora(app.ExePath(), L"--activate Chat"); });
    const CommandRun work = RunPinora(app.ExePath(), L"--activate Work");
    other.join();
    EXPECT_EQ(work.exit, 0u) << work.output;
    EXPECT_EQ(chat.exit, 0u) << chat.output;
    EXPECT_TRUE(TooltipShows(L"Pinora (active)\nChat\nWork"));
    const HWND copy = FindWindowW(L"PinoraNotifyWindow", nullptr);
    EXPECT_NE(copy, nullptr);
    EXPECT_EQ(FindWindowExW(nullptr, copy, L"PinoraNotifyWindow", nullptr), nullptr) << "a second copy started";
    EXPECT_EQ(FindWindowW(L"#32770", L"Error"), nullptr) << "an \"already running\" box";
    EXPECT_EQ(RunPinora(app.ExePath(), L"--quit").exit, 0u);
    EXPECT_EQ(FindWindowW(L"PinoraNotifyWindow", nullptr), nullptr);
}

std::vector<unsigned char> Utf16(const std::wstring& text, size_t dropUnits = 0, size_t extraBytes = 0) {
    std::vector<unsigned char> bytes;
    for (const wchar_t unit : text + L'\0') bytes.insert(bytes.end(), {LOBYTE(unit), HIBYTE(unit)});
    bytes.resize(bytes.size() - 2 * dropUnits + extraBytes);
    return bytes;
}

TEST_F(CommandLine, MalformedCommandDataFromAnotherProgramChangesNothing) {
    WriteCluster(L"Work", false, {});
    StartPinora();
    constexpr ULONG_PTR kToggle = 0x504E5203, kSave = 0x504E5205;
    const struct {
        const char* what;
        ULONG_PTR id;
        std::vector<unsigned char> bytes;
        int exit;
    } rows[] = {
        {"odd size", kToggle, Utf16(L"Work", 0, 1), 2},
        {"no terminator", kToggle, Utf16(L"Work", 1), 2},
        {"unknown id", 0x504E52FF, Utf16(L"Work"), 2},
        {"a path as a cluster", kToggle, Utf16(L"..\\Clusters\\Work"), 3},
        {"a path as a new cluster", kSave, Utf16(L"..\\Evil"), 1},
    };
    for (const auto& row : rows) {
        COPYDATASTRUCT data = {row.id, static_cast<DWORD>(row.bytes.size()),
                               const_cast<unsigned char*>(row.bytes.data())};
        DWORD_PTR answer = 0;
        ASSERT_NE(SendMessageTimeoutW(App().NotifyWindow(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                      SMTO_ABORTIFHUNG, 5000, &answer),
                  0)
            << row.what;
        EXPECT_EQ(answer >> 16, 0x504Eu) << row.what;
        EXPECT_EQ(answer & 0xFF, static_cast<DWORD_PTR>(row.exit)) << row.what;
    }
    EXPECT_TRUE(TooltipShows(L"Pinora"));
    EXPECT_FALSE(FileExists(PinoraDataFolder() + L"\\Evil.ini"));
    const CommandRun good = RunPinora(App().ExePath(), L"--toggle Work");
    EXPECT_EQ(good.exit, 0u) << good.output;
    EXPECT_TRUE(TooltipShows(L"Pinora (active)\nWork"));
}

}  // namespace
