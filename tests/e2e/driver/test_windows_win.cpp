// Drives one pnr_testwin.exe process through its control window.
#include <atomic>

#include "driver/driver.h"
#include "testwin/testwin_protocol.h"

namespace pnrtest {

namespace {

std::wstring Handle(HWND window) {
    return std::to_wstring(reinterpret_cast<intptr_t>(window));
}

std::wstring Geometry(const RECT& r) {
    return std::to_wstring(r.left) + L"\t" + std::to_wstring(r.top) + L"\t" + std::to_wstring(r.right - r.left) +
           L"\t" + std::to_wstring(r.bottom - r.top);
}

}  // namespace

TestWindows::TestWindows(std::wstring exePath) : exePath_(std::move(exePath)) {
    static std::atomic<int> counter{0};
    const std::wstring name = controlName_ =
        L"pnr-testwin-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
    const std::wstring exe = ExePath();
    std::wstring commandLine = L"\"" + exe + L"\" --control " + name;
    STARTUPINFOW startup = {sizeof(startup)};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        return;
    }
    WaitUntil([&] { return (control_ = FindWindowW(kTestWinControlClass, name.c_str())) != nullptr; }, 10000ms);
}

TestWindows::~TestWindows() {
    if (control_) Send(L"quit");
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 3000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

std::wstring TestWindows::ExePath() const {
    return exePath_.empty() ? BuildBinFolder() + L"\\pnr_testwin.exe" : exePath_;
}

LRESULT TestWindows::Send(const std::wstring& command) const {
    COPYDATASTRUCT data = {};
    data.dwData = kTestWinCommand;
    data.cbData = static_cast<DWORD>(command.size() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(command.data());
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(control_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 20000, &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

HWND TestWindows::Open(const std::wstring& title, RECT outer, const std::wstring& className, OpenOptions options) {
    return reinterpret_cast<HWND>(Send(L"open\t" + className + L"\t" + title + L"\t" + Geometry(outer) + L"\t" +
                                       std::to_wstring(options.flags) + L"\t" + Handle(options.owner)));
}

bool TestWindows::Move(HWND w, RECT outer) {
    return Send(L"move\t" + Handle(w) + L"\t" + Geometry(outer)) != 0;
}
bool TestWindows::Drag(HWND w, RECT outer) {
    return Send(L"drag\t" + Handle(w) + L"\t" + Geometry(outer)) != 0;
}
bool TestWindows::Rename(HWND w, const std::wstring& title) {
    return Send(L"rename\t" + Handle(w) + L"\t" + title) != 0;
}
bool TestWindows::HoldHotKey(UINT modifiers, UINT virtualKey) {
    return Send(L"hotkey\t" + std::to_wstring(modifiers) + L"\t" + std::to_wstring(virtualKey)) != 0;
}
bool TestWindows::Minimize(HWND w) {
    return Send(L"minimize\t" + Handle(w)) != 0;
}
bool TestWindows::Maximize(HWND w) {
    return Send(L"maximize\t" + Handle(w)) != 0;
}
bool TestWindows::Restore(HWND w) {
    return Send(L"restore\t" + Handle(w)) != 0;
}
bool TestWindows::Show(HWND w, bool raiseShowEvent) {
    return Send(L"show\t" + Handle(w) + L"\t" + (raiseShowEvent ? L"1" : L"0")) != 0;
}
bool TestWindows::Activate(HWND w) {
    return Send(L"activate\t" + Handle(w)) != 0;
}
bool TestWindows::Close(HWND w) {
    return Send(L"close\t" + Handle(w)) != 0;
}
bool TestWindows::Hang(HWND w, Millis duration) {
    return Send(L"hang\t" + Handle(w) + L"\t" + std::to_wstring(duration.count())) != 0;
}
bool TestWindows::RaiseEvent(HWND w, DWORD event) {
    return Send(L"event\t" + Handle(w) + L"\t" + std::to_wstring(event)) != 0;
}
bool TestWindows::SetDesktopNumber(HWND w, int number) {
    return Send(L"desktop\t" + Handle(w) + L"\t" + std::to_wstring(number)) != 0;
}
bool TestWindows::Burst(HWND w, int count) {
    return Send(L"burst\t" + Handle(w) + L"\t" + std::to_wstring(count)) != 0;
}

}  // namespace pnrtest
