// Rewrites the crash test's cluster file in a loop until it is killed. Arguments: the folder
// to use as AppDataPath and the name of the event to set once the first rewrite is done.
#include <windows.h>

#include "base/diagnostics.h"
#include "base/process.h"
#include "crash_contents.h"
#include "storage/ini.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    wcsncpy_s(AppDataPath, MAX_PATH, argv[1], _TRUNCATE);
    const HANDLE started = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    for (unsigned round = 0;; ++round) {
        WriteClusterValue(kCrashCluster, kCrashSection, kCrashKey, CrashValue(round));
        if (round == 0 && started) SetEvent(started);
    }
}
