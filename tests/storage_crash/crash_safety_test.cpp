#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <random>

#include "base/diagnostics.h"
#include "base/process.h"
#include "base/win_handles.h"
#include "crash_contents.h"
#include "storage/catalogue.h"
#include "storage/ini.h"
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

// PINORA_CRASH_KILLS sets how many times the writer is killed (50 by default).
unsigned KillCount() {
    wchar_t text[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"PINORA_CRASH_KILLS", text, 16);
    const unsigned long count = length > 0 && length < 16 ? wcstoul(text, nullptr, 10) : 0;
    return count > 0 ? static_cast<unsigned>(count) : 50;
}

size_t TemporaryFilesIn(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW((folder + L"\\*.tmp").c_str(), &found));
    if (search.get() == INVALID_HANDLE_VALUE) return 0;
    size_t count = 0;
    do {
        ++count;
    } while (FindNextFileW(search.get(), &found));
    return count;
}

TEST(CrashSafety, KilledRewriteLeavesEitherTheOldOrTheNewFile) {
    ScratchAppData appData;
    const std::string first = CrashFileBytes(CrashValue(0));
    const std::string second = CrashFileBytes(CrashValue(1));
    appData.WriteCluster(kCrashCluster, second);

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<DWORD> runTime(0, 120);
    const std::wstring clusters = std::wstring(AppDataPath) + L"\\Pinora\\Clusters";
    const unsigned kills = KillCount();
    int seenFirst = 0;
    int seenSecond = 0;
    size_t mostTemporaryFiles = 0;
    unsigned roundsWithTemporaryFile = 0;
    for (unsigned round = 0; round < kills; ++round) {
        ASSERT_TRUE(RunAndKillWriter(AppDataPath, round, runTime(random)))
            << "round " << round << ": the writer did not start";
        const std::string left = appData.ReadCluster(kCrashCluster);
        ASSERT_TRUE(left == first || left == second)
            << "round " << round << ": " << left.size() << " bytes, starting " << left.substr(0, 60);
        (left == first ? seenFirst : seenSecond)++;
        const size_t temporaryFiles = TemporaryFilesIn(clusters);
        mostTemporaryFiles = std::max(mostTemporaryFiles, temporaryFiles);
        if (temporaryFiles > 0) ++roundsWithTemporaryFile;
    }
    std::printf("%u kills: old content %d times, new content %d times, a temporary file left after %u, at most %u\n",
                kills, seenFirst, seenSecond, roundsWithTemporaryFile, static_cast<unsigned>(mostTemporaryFiles));
    // Both contents turned up, so the kills did land while the writer was rewriting.
    EXPECT_GT(seenFirst, 0);
    EXPECT_GT(seenSecond, 0);
    // A rewrite killed between writing its temporary file and renaming it leaves the file
    // behind; the next rewrite clears it, so they never pile up.
    EXPECT_LE(mostTemporaryFiles, 1u);
    WriteClusterValue(kCrashCluster, kCrashSection, kCrashKey, CrashValue(2));
    EXPECT_EQ(TemporaryFilesIn(clusters), 0u);
    EXPECT_EQ(ListClusterNames(AppDataPath, L"\\Pinora\\Clusters\\*.ini"), std::vector<std::wstring>{kCrashCluster});
}

}  // namespace
