// Soak: one long run of the real Pinora.exe. Fifty helper windows go through appear, rename,
// move/size, minimise/restore, activate and close/reopen, half of them claimed by two active
// clusters; in between, the Inspector, the Cluster Management window with its Rules editor and
// the Settings window open and close, a third cluster is toggled from the tray menu and the
// clusters are reloaded. Every 1,000 window events Pinora's resources are sampled from outside.
// At the end: the growth of each column from the first tenth of the run to its end, threads left
// over once the windows are closed, message boxes, an answer to WM_NULL and one more placement.
// Exits 1 when any of these goals is missed.
// Usage: pnr_bench_soak [events] [cycles] [toggles] [reloads]   (10000 300 300 100)
// Runs in a bench prefix: it rewrites %APPDATA%\Pinora.
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/ids.h"
#include "driver/controls.h"
#include "driver/driver.h"
#include "testwin/testwin_protocol.h"

using namespace pnrtest;

namespace {

constexpr int kWindows = 50;
constexpr int kAlphaWindows = 13, kClaimedWindows = kWindows / 2;  // Alpha and Beta claim half
constexpr int kSampleEvery = 1000;
constexpr int kSyncEvery = 25;          // events between two waits for Pinora's queue to drain
constexpr double kAllowedGrowth = 5.0;  // per cent, from the first tenth of the run to its end
constexpr int kGammaAfterManage = 3;    // Alpha, Beta, Gamma in the Clusters submenu

struct Plan {
    int events = 10000;
    int cycles = 300;
    int toggles = 300;
    int reloads = 100;
};

// ---- Cluster files ------------------------------------------------------------------------------

std::wstring TitleOf(int index) {
    const wchar_t* group = index < kAlphaWindows ? L"A" : index < kClaimedWindows ? L"B" : L"free";
    return L"Soak " + std::wstring(group) + L" " + std::to_wstring(index);
}

RECT OpenedFrame(int index) {
    return Rect(20 + index * 7, 20 + index * 5, 320, 220);
}

RECT SavedFrame(int index) {
    return Rect(200 + index % 10 * 40, 150 + index % 8 * 30, 420, 300);
}

const wchar_t kFinalTitle[] = L"Soak final";
const RECT kFinalFrame = Rect(700, 400, 500, 360);

std::string Entry(const std::wstring& title, const RECT& frame) {
    const std::string t = Utf8(title);
    return "[" + t + "]\nTitle=" + t + "\nClass=PnrTestWindow\nPath=Error\nPosition=" + std::to_string(frame.left) +
           " " + std::to_string(frame.top) + "\nSize=" + std::to_string(frame.right - frame.left) + " " +
           std::to_string(frame.bottom - frame.top) + "\nRules=Window title does match \"" + t + "\"\n";
}

void WriteClusters() {
    std::string alpha = "[Configuration]\nActivate on Startup=Yes\n";
    std::string beta = alpha;
    for (int i = 0; i < kClaimedWindows; ++i) {
        (i < kAlphaWindows ? alpha : beta) += Entry(TitleOf(i), SavedFrame(i));
    }
    alpha += Entry(kFinalTitle, kFinalFrame);
    WriteClusterFile(L"Alpha", alpha);
    WriteClusterFile(L"Beta", beta);
    WriteClusterFile(L"Gamma", "[Configuration]\nActivate on Startup=No\n" + Entry(L"Soak nowhere", Rect(0, 0, 9, 9)));
    CreateDirectoryW(PinoraDataFolder().c_str(), nullptr);
    const std::wstring settings = PinoraDataFolder() + L"\\config.ini";
    WritePrivateProfileStringW(L"Settings", L"Time Delay", L"1", settings.c_str());
    WritePrivateProfileStringW(L"Settings", L"Start with Windows", L"No", settings.c_str());
}

// ---- Samples ------------------------------------------------------------------------------------

struct Sample {
    int events = 0;
    double columns[6] = {};  // handles, GDI, USER, private KiB, working set KiB, threads
};
const char* const kColumnNames[] = {"handles", "GDI", "USER", "private KiB", "working KiB", "threads"};
constexpr int kColumns = 6;
constexpr int kGdi = 1, kUser = 2, kWorkingSet = 4;

// The handle count the system's process list gives; 0 when it cannot be read. Wine answers
// GetProcessHandleCount with 0 and gives there the size of the process's handle table, which
// grows in powers of two: a coarse count, but one that a leak of handles still doubles.
ULONG ListedHandleCount(DWORD processId) {
    using QueryFn = LONG(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    std::vector<unsigned char> buffer(1 << 20);
    ULONG needed = 0;
    while (query(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) < 0) {
        if (buffer.size() >= (64u << 20)) return 0;
        buffer.resize(buffer.size() * 2);
    }
    for (size_t offset = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
        if (static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId)) == processId) {
            return entry->HandleCount;
        }
        if (!entry->NextEntryOffset) return 0;
        offset += entry->NextEntryOffset;
    }
}

// Private bytes; Wine reports 0 for them and gives its resident anonymous memory as the
// page-file usage, which Windows keeps equal to the private bytes.
double PrivateKiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    return static_cast<double>(memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage) / 1024.0;
}

double WorkingSetKiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS memory = {sizeof(memory)};
    GetProcessMemoryInfo(process, &memory, sizeof(memory));
    return static_cast<double>(memory.WorkingSetSize) / 1024.0;
}

Sample Measure(HANDLE process, DWORD processId, int events) {
    Sample s;
    s.events = events;
    DWORD handles = 0;
    if (!GetProcessHandleCount(process, &handles) || handles == 0) handles = ListedHandleCount(processId);
    const double values[kColumns] = {static_cast<double>(handles),
                                     static_cast<double>(GetGuiResources(process, GR_GDIOBJECTS)),
                                     static_cast<double>(GetGuiResources(process, GR_USEROBJECTS)),
                                     PrivateKiB(process),
                                     WorkingSetKiB(process),
                                     static_cast<double>(ThreadCountOf(processId))};
    std::copy(values, values + kColumns, s.columns);
    return s;
}

// Wine answers GetGuiResources with 0 for every process; a column of zeros is "not reported".
bool Reported(const std::vector<Sample>& samples, int column) {
    return std::any_of(samples.begin(), samples.end(), [&](const Sample& s) { return s.columns[column] != 0; });
}

void PrintTable(const std::vector<Sample>& samples) {
    std::printf("%8s", "events");
    for (const char* name : kColumnNames) std::printf(" %12s", name);
    std::printf("\n");
    for (const Sample& s : samples) {
        std::printf("%8d", s.events);
        for (int c = 0; c < kColumns; ++c) {
            if (Reported(samples, c)) {
                std::printf(" %12.0f", s.columns[c]);
            } else {
                std::printf(" %12s", "n/a");
            }
        }
        std::printf("\n");
    }
}

// Growth of each column from the first tenth of the run to its end; false when one grew more
// than allowed. The working set is printed but not judged: the system trims it at will.
bool PrintGrowth(const std::vector<Sample>& samples, const Sample& tenth) {
    const Sample& last = samples.back();
    bool flat = true;
    std::printf("growth from %d to %d events:\n", tenth.events, last.events);
    for (int c = 0; c < kColumns; ++c) {
        if (!Reported(samples, c)) {
            std::printf("  %-12s not reported by this system\n", kColumnNames[c]);
            continue;
        }
        const double from = tenth.columns[c], to = last.columns[c];
        const double percent = from > 0 ? (to - from) * 100.0 / from : 0;
        const bool judged = c != kWorkingSet;
        const bool ok = !judged || percent <= kAllowedGrowth;
        flat = flat && ok;
        std::printf("  %-12s %10.0f -> %10.0f  %+6.1f %%%s\n", kColumnNames[c], from, to, percent,
                    !judged ? "  (not judged)"
                    : ok    ? ""
                            : "  GOAL MISSED");
    }
    return flat;
}

// ---- The user's actions ---------------------------------------------------------------------------

class Soak {
  public:
    Soak(PinoraApp& app, TestWindows& helper) : app_(app), helper_(helper) {}

    void OpenWindows() {
        for (int i = 0; i < kWindows; ++i) windows_.push_back(OpenWindow(i));
    }

    // One step of window i's round of changes; returns the number of window events it raised.
    int ChangeWindow(int i, int step) {
        HWND& w = windows_[static_cast<size_t>(i)];
        switch (step % 8) {
            case 0:
                helper_.Rename(w, TitleOf(i) + L" (renamed)");
                return 1;
            case 1:
                helper_.Rename(w, TitleOf(i));
                return 1;
            case 2: {
                RECT r = WindowRect(w);
                OffsetRect(&r, 15, 10);
                helper_.Drag(w, r);
                return 3;  // move-size start, location change, move-size end
            }
            case 3:
                helper_.Minimize(w);
                return 1;
            case 4:
                helper_.Restore(w);
                return 1;
            case 5:
                helper_.Activate(w);
                return 1;
            case 6: {
                RECT r = WindowRect(w);
                OffsetRect(&r, -15, -10);
                helper_.Move(w, r);
                return 1;
            }
            default:
                helper_.Close(w);
                WaitUntil([&] { return !IsWindow(w); }, 2000ms, 1ms);
                w = OpenWindow(i);
                return 1;  // the new window's creation
        }
    }

    bool InspectorCycle() {
        app_.Post(TRAY_CALLBACK_MESSAGE, 0, WM_LBUTTONUP);
        const HWND inspector = WaitForWindowOf(app_.ProcessId(), L"PinoraWindow");
        if (!inspector) return false;
        SyncWindow(inspector);
        PostMessageW(inspector, WM_CLOSE, 0, 0);
        return WaitUntil([&] { return !IsWindow(inspector); });
    }

    // The Rules editor opens on the first saved window of the first cluster; the window's OK
    // closes both.
    bool ClusterManagementCycle() {
        app_.Command(IDM_MANAGE);
        const HWND manage = WaitForWindowOf(app_.ProcessId(), L"PinoraClusterConfigWindow");
        if (!manage) return false;
        SyncWindow(manage);
        SelectListItem(Control(manage, IDC_WINDOW_LIST), 0);
        Click(Control(manage, IDC_CLUSTER_RULES));
        const HWND editor = WaitForWindowOf(app_.ProcessId(), L"PinoraRulesWindow");
        if (editor) SyncWindow(editor);
        Click(Control(manage, IDC_CLUSTER_OK));
        return WaitUntil([&] { return !IsWindow(manage) && !(editor && IsWindow(editor)); }) && editor;
    }

    bool SettingsCycle() {
        app_.Command(IDM_CONFIGURE);
        const HWND settings = WaitForWindowOf(app_.ProcessId(), L"PinoraConfigWindow");
        if (!settings) return false;
        SyncWindow(settings);
        Click(Control(settings, IDC_SETTINGS_OK));
        return WaitUntil([&] { return !IsWindow(settings); });
    }

    // Gamma from the Clusters submenu; checked by the tray tooltip, which lists active clusters.
    bool ToggleGamma() {
        if (!ChooseCluster(app_, kGammaAfterManage)) return false;
        gammaActive_ = !gammaActive_;
        return WaitUntil([&] { return GammaShownActive() == gammaActive_; }, 2000ms);
    }

    bool Reload() { return app_.Post(WM_PNR_RELOAD) && app_.Sync(); }

    // Message boxes of Pinora's that showed up: counted, and closed so that the run goes on.
    int CloseMessageBoxes() {
        int found = 0;
        for (HWND box : TopLevelWindowsOf(app_.ProcessId(), L"#32770")) {
            std::printf("message box \"%ls\": %ls\n", WindowText(box).c_str(), MessageBoxText(box).c_str());
            CloseMessageBox(box);
            ++found;
        }
        return found;
    }

    bool PlacesANewWindow() {
        const HWND w = helper_.Open(kFinalTitle, Rect(30, 30, 300, 200), L"PnrTestWindow", {kOpenRaiseCreateEvent});
        return w && WaitUntil([&] { return SameRect(WindowRect(w), kFinalFrame); }, 10000ms);
    }

  private:
    HWND OpenWindow(int i) {
        return helper_.Open(TitleOf(i), OpenedFrame(i), L"PnrTestWindow", {kOpenRaiseCreateEvent});
    }

    bool GammaShownActive() const {
        for (const std::wstring& text : TrayTooltipTexts()) {
            if (text.rfind(L"Pinora", 0) == 0) return text.find(L"\nGamma") != std::wstring::npos;
        }
        return false;
    }

    PinoraApp& app_;
    TestWindows& helper_;
    std::vector<HWND> windows_;
    bool gammaActive_ = false;
};

// Spreads `total` actions evenly over the run: how many are due once `events` have passed.
int Due(int total, int events, int allEvents) {
    return static_cast<int>(static_cast<long long>(total) * events / allEvents);
}

struct Tally {
    int events = 0, cycles = 0, toggles = 0, reloads = 0;
    int failedCycles = 0, failedToggles = 0, stalls = 0, boxes = 0;
    DWORD eventMs = 0, windowMs = 0, toggleMs = 0;  // time spent on each kind of action
};

// Runs one action, adds its time to `spent` and reports a failure by name.
template <typename Action>
bool Timed(DWORD& spent, const char* name, Action action) {
    const DWORD start = GetTickCount();
    const bool ok = action();
    spent += GetTickCount() - start;
    if (!ok) std::fprintf(stderr, "[soak] %s failed\n", name);
    return ok;
}

Plan ReadPlan(int argc, wchar_t** argv) {
    Plan plan;
    int* fields[] = {&plan.events, &plan.cycles, &plan.toggles, &plan.reloads};
    for (int i = 1; i < argc && i <= 4; ++i) *fields[i - 1] = std::max(1, _wtoi(argv[i]));
    return plan;
}

struct Run {
    DWORD started = GetTickCount();
    Tally tally;
    std::vector<Sample> samples;
    int threadsBeforeWindows = 0, threadsAfterWindows = 0;
    bool placed = false, answers = false;

    DWORD Seconds() const { return (GetTickCount() - started) / 1000; }
};

// Sampled once Pinora has caught up and the threads of the windows just closed have ended. The
// row goes out at once: a run that has to be stopped still shows its trend.
void TakeSample(PinoraApp& app, HANDLE process, Soak& soak, Run& run) {
    app.Sync();
    Sleep(300);
    run.tally.boxes += soak.CloseMessageBoxes();
    run.samples.push_back(Measure(process, app.ProcessId(), run.tally.events));
    const double* c = run.samples.back().columns;
    std::fprintf(stderr,
                 "[soak] %d events, %lu s: %.0f handles, %.0f GDI, %.0f USER, %.0f KiB private, %.0f KiB working "
                 "set, %.0f threads\n",
                 run.tally.events, run.Seconds(), c[0], c[1], c[2], c[3], c[4], c[5]);
}

// The configuration windows, toggles and reloads due once `events` window events have passed.
void CatchUpOtherActions(const Plan& plan, int events, Soak& soak, Tally& t) {
    for (; t.cycles < Due(plan.cycles, events, plan.events); ++t.cycles) {
        t.failedCycles += !Timed(t.windowMs, "Inspector", [&] { return soak.InspectorCycle(); });
        t.failedCycles += !Timed(t.windowMs, "Cluster Management", [&] { return soak.ClusterManagementCycle(); });
        t.failedCycles += !Timed(t.windowMs, "Settings", [&] { return soak.SettingsCycle(); });
    }
    for (; t.toggles < Due(plan.toggles, events, plan.events); ++t.toggles) {
        t.failedToggles += !Timed(t.toggleMs, "toggle", [&] { return soak.ToggleGamma(); });
    }
    for (; t.reloads < Due(plan.reloads, events, plan.events); ++t.reloads) soak.Reload();
}

// The whole run with the helper windows open; they close when it returns.
void RunWithWindows(PinoraApp& app, HANDLE process, const Plan& plan, Run& run) {
    TestWindows helper;
    Soak soak(app, helper);
    soak.OpenWindows();
    TakeSample(app, process, soak, run);
    Tally& t = run.tally;
    for (int step = 0; t.events < plan.events; ++step) {
        // Every few events Pinora is given the time to handle what they raised.
        t.stalls += !Timed(t.eventMs, "waiting for Pinora to catch up", [&] {
            t.events += soak.ChangeWindow(step % kWindows, step / kWindows);
            return (step + 1) % kSyncEvery != 0 || app.Sync();
        });
        CatchUpOtherActions(plan, std::min(t.events, plan.events), soak, t);
        if (t.events / kSampleEvery > run.samples.back().events / kSampleEvery || t.events >= plan.events) {
            TakeSample(app, process, soak, run);
        }
    }
    run.placed = soak.PlacesANewWindow();
    t.boxes += soak.CloseMessageBoxes();
}

bool Goal(bool met, const char* text) {
    std::printf("%-52s %s\n", text, met ? "yes" : "NO - GOAL MISSED");
    return met;
}

bool Report(const Run& run) {
    const Tally& t = run.tally;
    std::printf(
        "soak: %d window events over %d windows, %d cycles each of the Inspector, Cluster Management with the Rules "
        "editor and Settings (%d failed), %d cluster toggles from the tray menu (%d not seen), %d reloads; %lu s\n",
        t.events, kWindows, t.cycles, t.failedCycles, t.toggles, t.failedToggles, t.reloads, run.Seconds());
    std::printf("time spent: window events %lu s, configuration windows %lu s, toggles %lu s\n", t.eventMs / 1000,
                t.windowMs / 1000, t.toggleMs / 1000);
    PrintTable(run.samples);
    bool ok = PrintGrowth(run.samples, run.samples.size() > 1 ? run.samples[1] : run.samples.front());
    std::printf("GDI and USER objects: %s\n", Reported(run.samples, kGdi) || Reported(run.samples, kUser)
                                                  ? "reported"
                                                  : "not reported (GetGuiResources gives 0 under this system)");
    std::printf(
        "handles: GetProcessHandleCount, or where it gives 0 (Wine) the handle-table size from the system's process "
        "list (powers of two); private bytes: PrivateUsage, or the page-file usage where it gives 0 (Wine)\n");
    std::printf("threads before the first window: %d, after every window closed: %d\n", run.threadsBeforeWindows,
                run.threadsAfterWindows);
    ok &= Goal(run.threadsAfterWindows <= run.threadsBeforeWindows, "no thread left over once the windows are closed:");
    ok &= Goal(t.boxes == 0, "no message box:");
    ok &= Goal(run.answers, "Pinora answers WM_NULL:");
    ok &= Goal(run.placed, "Pinora still places a new window:");
    ok &= Goal(t.failedCycles == 0 && t.failedToggles == 0 && t.stalls == 0,
               "every window cycle and toggle took effect, no stall:");
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const Plan plan = ReadPlan(argc, argv);
    Run run;
    PinoraApp app;  // clears %APPDATA%\Pinora
    WriteClusters();
    if (!app.Start()) {
        std::printf("Pinora did not start\n");
        return 1;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app.ProcessId());
    run.threadsBeforeWindows = ThreadCountOf(app.ProcessId());
    RunWithWindows(app, process, plan, run);

    DWORD_PTR ignored = 0;
    run.answers = SendMessageTimeoutW(app.NotifyWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) && app.Sync();
    // Threads a closed window or an animation ran on end shortly after it.
    WaitUntil([&] { return ThreadCountOf(app.ProcessId()) <= run.threadsBeforeWindows; }, 10000ms, 100ms);
    run.threadsAfterWindows = ThreadCountOf(app.ProcessId());
    const bool ok = Report(run);
    app.Quit();
    CloseHandle(process);
    return ok ? 0 : 1;
}
