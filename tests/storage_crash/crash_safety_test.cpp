#include <gtest/gtest.h>

#include <random>

#include "base/diagnostics.h"
#include "base/process.h"
#include "base/win_handles.h"
#include "crash_contents.h"
#include "storage/catalogue.h"
#include "storage_test_support.h"

namespace {

std::wstring WriterProgram() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"pnr_storage_crash_writer.exe";
}

// Starts the writer, waits until it has rewritten the file once, lets it run on for the
// given time and kills it.
bool RunAndKillWriter(const std::wstring& appData, unsigned round, DWORD runMilliseconds) {
    const std::wstring eventName =
        L"Local\\PinoraCrashWriter-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(round);
    const UniqueHandle started(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
    std::wstring commandLine = L"\"" + WriterProgram() + L"\" \"" + appData + L"\" " + eventName;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
    const bool wrote = WaitForSingleObject(started.get(), 20000) == WAIT_OBJECT_0;
    Sleep(runMilliseconds);
    TerminateProcess(processHandle.get(), 1);
    WaitForSingleObject(processHandle.get(), 20000);
    return wrote;
}

TEST(CrashSafety, KilledRewriteLeavesEitherTheOldOrTheNewFile) {
    ScratchAppData appData;
    const std::string first = CrashFileBytes(CrashValue(0));
    const std::string second = CrashFileBytes(CrashValue(1));
    appData.WriteCluster(kCrashCluster, second);

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<DWORD> runTime(0, 40);
    int seenFirst = 0;
    int seenSecond = 0;
    for (unsigned round = 0; round < 50; ++round) {
        ASSERT_TRUE(RunAndKillWriter(AppDataPath, round, runTime(random))) << "the writer did not start";
        const std::string left = appData.ReadCluster(kCrashCluster);
        ASSERT_TRUE(left == first || left == second)
            << "round " << round << ": " << left.size() << " bytes, starting " << left.substr(0, 60);
        (left == first ? seenFirst : seenSecond)++;
    }
    // Both contents turned up, so the kills did land while the writer was rewriting.
    EXPECT_GT(seenFirst, 0);
    EXPECT_GT(seenSecond, 0);
    // A killed rewrite may leave its temporary file, but never anything that lists as a cluster.
    EXPECT_EQ(ListClusterNames(AppDataPath, L"\\Pinora\\Clusters\\*.ini"), std::vector<std::wstring>{kCrashCluster});
}

}  // namespace
