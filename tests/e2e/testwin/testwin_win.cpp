// pnr_testwin.exe: opens top-level windows for the end-to-end tests and changes them on
// request, raising the window events Windows would raise for each change (Wine raises
// almost none itself). Each window runs on a thread of its own so that one can be made to
// hang while the others keep answering.
//
// A copy of this program named chrome.exe gives each window an address box (the window's title
// as an address) that Alt+D focuses and selects, as browsers do.
//
// Command line: [--control NAME] [--window TITLE] [--moves-itself-to X,Y] — NAME is the control
// window's title (the driver finds the helper by it); --window opens one window at start (a
// program launched by Pinora's Quick Menu gets no arguments and opens "PNR Launched Window"),
// which two seconds later moves itself to X,Y, as programs that remember their place do.
#include <windows.h>
#include <shellapi.h>

#include <future>
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "testwin/testwin_protocol.h"

namespace {

constexpr UINT kHangMessage = WM_APP + 1;
constexpr UINT kCloseMessage = WM_APP + 2;
constexpr UINT kCreateOwnedMessage = WM_APP + 3;

constexpr int kAddressBoxId = 1;

std::mutex ClassesMutex;
std::set<std::wstring> RegisteredClasses;

struct OpenRequest {
    std::wstring className;
    std::wstring title;
    int x = 0, y = 0, width = 300, height = 200;
    unsigned flags = 0;
    HWND owner = nullptr;
};

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void EnsureClass(const std::wstring& name) {
    std::lock_guard<std::mutex> lock(ClassesMutex);
    if (RegisteredClasses.count(name)) return;
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name.c_str();
    RegisterClassExW(&wc);
    RegisteredClasses.insert(name);
}

bool IsBrowserCopy() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const wchar_t* name = wcsrchr(path, L'\\');
    return _wcsicmp(name ? name + 1 : path, L"chrome.exe") == 0;
}

std::wstring AddressFor(std::wstring title) {
    for (wchar_t& c : title) c = c == L' ' ? L'-' : c;
    return L"https://pnr.test/" + title;
}

void AddAddressBox(HWND window, const std::wstring& title) {
    RECT client = {};
    GetClientRect(window, &client);
    CreateWindowExW(0, L"EDIT", AddressFor(title).c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 0, 0,
                    client.right, 24, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAddressBoxId)),
                    GetModuleHandleW(nullptr), nullptr);
}

// Alt+D: the address box of the window takes the focus with its text selected. The key still
// reaches the window untranslated, so releasing Alt afterwards does not open the system menu.
bool FocusedAddressBox(const MSG& msg) {
    if (msg.message != WM_SYSKEYDOWN || msg.wParam != 'D') return false;
    HWND box = GetDlgItem(GetAncestor(msg.hwnd, GA_ROOT), kAddressBoxId);
    if (!box) return false;
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    DispatchMessageW(&msg);
    return true;
}

HWND CreateTestWindow(const OpenRequest& r) {
    EnsureClass(r.className);
    DWORD style = (r.flags & kOpenBorderless) ? WS_POPUP : WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    if (r.flags & kOpenToolWindow) exStyle |= WS_EX_TOOLWINDOW;
    if (r.flags & kOpenTopmost) exStyle |= WS_EX_TOPMOST;
    HWND window = CreateWindowExW(exStyle, r.className.c_str(), r.title.c_str(), style, r.x, r.y, r.width, r.height,
                                  r.owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window && IsBrowserCopy()) AddAddressBox(window, r.title);
    // The system raises the creation event inside CreateWindowExW, while the window is hidden.
    if (window && !(r.flags & kOpenHidden))
        ShowWindow(window, (r.flags & kOpenNoActivate) ? SW_SHOWNOACTIVATE : SW_SHOW);
    return window;
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kHangMessage:
            Sleep(static_cast<DWORD>(wParam));
            return 0;
        case kCloseMessage:
            DestroyWindow(window);
            return 0;
        case kCreateOwnedMessage:
            return reinterpret_cast<LRESULT>(CreateTestWindow(*reinterpret_cast<const OpenRequest*>(lParam)));
        case WM_DESTROY:
            // Owned windows share their owner's thread, which ends with the owner.
            if (!GetWindow(window, GW_OWNER)) PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void RaiseEvent(DWORD event, HWND window) {
    NotifyWinEvent(event, window, OBJID_WINDOW, CHILDID_SELF);
}

// A window on a thread of its own; the thread ends once it has no window left.
HWND OpenOnNewThread(const OpenRequest& request) {
    std::promise<HWND> created;
    std::future<HWND> result = created.get_future();
    std::thread(
        [request](std::promise<HWND> promise) {
            HWND window = CreateTestWindow(request);
            promise.set_value(window);
            if (!window) return;
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (FocusedAddressBox(msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        },
        std::move(created))
        .detach();
    return result.get();
}

std::vector<std::wstring> SplitTabs(const std::wstring& text) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (true) {
        size_t tab = text.find(L'\t', start);
        parts.push_back(text.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start));
        if (tab == std::wstring::npos) break;
        start = tab + 1;
    }
    return parts;
}

long long Number(const std::vector<std::wstring>& args, size_t i, long long fallback = 0) {
    return i < args.size() && !args[i].empty() ? std::wcstoll(args[i].c_str(), nullptr, 0) : fallback;
}

HWND HandleArg(const std::vector<std::wstring>& args, size_t i) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(Number(args, i)));
}

HWND Open(const std::vector<std::wstring>& a) {
    OpenRequest r;
    r.className = a.size() > 1 ? a[1] : L"PnrTestWindow";
    r.title = a.size() > 2 ? a[2] : L"";
    r.x = static_cast<int>(Number(a, 3));
    r.y = static_cast<int>(Number(a, 4));
    r.width = static_cast<int>(Number(a, 5, 300));
    r.height = static_cast<int>(Number(a, 6, 200));
    r.flags = static_cast<unsigned>(Number(a, 7));
    r.owner = HandleArg(a, 8);
    HWND window =
        r.owner ? reinterpret_cast<HWND>(SendMessageW(r.owner, kCreateOwnedMessage, 0, reinterpret_cast<LPARAM>(&r)))
                : OpenOnNewThread(r);
    if (window && (r.flags & kOpenRaiseCreateEvent)) RaiseEvent(EVENT_OBJECT_CREATE, window);
    return window;
}

bool MoveTo(HWND w, const std::vector<std::wstring>& a) {
    return SetWindowPos(w, nullptr, static_cast<int>(Number(a, 2)), static_cast<int>(Number(a, 3)),
                        static_cast<int>(Number(a, 4)), static_cast<int>(Number(a, 5)),
                        SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

LRESULT RunCommand(const std::vector<std::wstring>& a) {
    const std::wstring& verb = a[0];
    if (verb == L"open") return reinterpret_cast<LRESULT>(Open(a));
    if (verb == L"quit") {
        PostQuitMessage(0);
        return 1;
    }
    if (verb == L"hotkey") {
        static int nextId = 1;
        return RegisterHotKey(nullptr, nextId++, static_cast<UINT>(Number(a, 1)), static_cast<UINT>(Number(a, 2)));
    }
    HWND w = HandleArg(a, 1);
    if (!IsWindow(w)) return 0;
    if (verb == L"move") {
        bool ok = MoveTo(w, a);
        RaiseEvent(EVENT_OBJECT_LOCATIONCHANGE, w);
        return ok;
    }
    if (verb == L"drag") {
        RaiseEvent(EVENT_SYSTEM_MOVESIZESTART, w);
        bool ok = MoveTo(w, a);
        RaiseEvent(EVENT_OBJECT_LOCATIONCHANGE, w);
        RaiseEvent(EVENT_SYSTEM_MOVESIZEEND, w);
        return ok;
    }
    if (verb == L"rename") {
        bool ok = SetWindowTextW(w, a.size() > 2 ? a[2].c_str() : L"") != FALSE;
        RaiseEvent(EVENT_OBJECT_NAMECHANGE, w);
        return ok;
    }
    if (verb == L"minimize") {
        ShowWindow(w, SW_MINIMIZE);
        RaiseEvent(EVENT_SYSTEM_MINIMIZESTART, w);
        return 1;
    }
    if (verb == L"maximize") {
        ShowWindow(w, SW_MAXIMIZE);
        RaiseEvent(EVENT_OBJECT_LOCATIONCHANGE, w);
        return 1;
    }
    if (verb == L"restore") {
        ShowWindow(w, SW_RESTORE);
        RaiseEvent(EVENT_SYSTEM_MINIMIZEEND, w);
        return 1;
    }
    if (verb == L"activate") {
        SetForegroundWindow(w);
        BringWindowToTop(w);
        RaiseEvent(EVENT_SYSTEM_FOREGROUND, w);
        return 1;
    }
    if (verb == L"show") {
        // Windows raises the show event here; Wine raises nothing for real programs.
        ShowWindow(w, SW_SHOWNOACTIVATE);
        if (Number(a, 2) == 1) RaiseEvent(EVENT_OBJECT_SHOW, w);
        return 1;
    }
    if (verb == L"close") return PostMessageW(w, kCloseMessage, 0, 0);
    if (verb == L"hang") return PostMessageW(w, kHangMessage, static_cast<WPARAM>(Number(a, 2)), 0);
    if (verb == L"desktop") {
        // The test stand-in of the desktop library reads a window's desktop from this property.
        const auto number = static_cast<intptr_t>(Number(a, 2));
        return SetPropW(w, L"PnrDesktopNumber", reinterpret_cast<HANDLE>(number + 1));
    }
    if (verb == L"event") {
        RaiseEvent(static_cast<DWORD>(Number(a, 2)), w);
        return 1;
    }
    if (verb == L"burst") {
        const long long count = Number(a, 2, 1000);
        RECT r = {};
        GetWindowRect(w, &r);
        for (long long i = 0; i < count; ++i) {
            SetWindowTextW(w, (L"Burst " + std::to_wstring(i)).c_str());
            RaiseEvent(EVENT_OBJECT_NAMECHANGE, w);
            SetWindowPos(w, nullptr, r.left + static_cast<int>(i % 50), r.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            RaiseEvent(EVENT_OBJECT_LOCATIONCHANGE, w);
        }
        return 1;
    }
    return 0;
}

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!data || data->dwData != kTestWinCommand || !data->lpData) return 0;
        std::wstring text(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        auto args = SplitTabs(text);
        return args.empty() ? 0 : RunCommand(args);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring ArgumentAfter(const wchar_t* flag) {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring value;
    for (int i = 1; argv && i + 1 < count; ++i) {
        if (wcscmp(argv[i], flag) == 0) value = argv[i + 1];
    }
    LocalFree(argv);
    return value;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = ControlWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kTestWinControlClass;
    RegisterClassExW(&wc);
    std::wstring controlName = ArgumentAfter(L"--control");
    if (controlName.empty()) controlName = L"pnr-testwin-" + std::to_wstring(GetCurrentProcessId());
    // A hidden top-level window (not message-only) so the driver can find it with FindWindowW.
    CreateWindowExW(0, kTestWinControlClass, controlName.c_str(), WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance,
                    nullptr);
    std::wstring initialTitle = ArgumentAfter(L"--window");
    if (initialTitle.empty() && ArgumentAfter(L"--control").empty()) initialTitle = L"PNR Launched Window";
    HWND initial = nullptr;
    if (!initialTitle.empty())
        initial = Open({L"open", L"PnrTestWindow", initialTitle, L"40", L"40", L"320", L"240", L"1"});
    const std::wstring remembered = ArgumentAfter(L"--moves-itself-to");
    if (initial && !remembered.empty()) {
        std::thread([initial, remembered] {
            Sleep(2000);
            const size_t comma = remembered.find(L',');
            MoveTo(initial, {L"move", L"", remembered.substr(0, comma), remembered.substr(comma + 1), L"320", L"240"});
            RaiseEvent(EVENT_OBJECT_LOCATIONCHANGE, initial);
        }).detach();
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
