// The update library, loaded at run time from "WinSparkle.dll" beside the program. Without
// the library, or with any of its entry points missing, every update call does nothing.
#include <string>

#include "app/shell.h"
#include "base/own_windows.h"
#include "base/program_library.h"
#include "base/win_handles.h"
#include "build_config.h"

namespace {

using SetAppDetailsFn = void(__cdecl*)(const wchar_t*, const wchar_t*, const wchar_t*);
using SetAppcastUrlFn = void(__cdecl*)(const char*);
using SetEddsaPublicKeyFn = int(__cdecl*)(const char*);
using ShutdownRequestCallback = void(__cdecl*)();
using SetShutdownRequestCallbackFn = void(__cdecl*)(ShutdownRequestCallback);
using PlainCallFn = void(__cdecl*)();

struct UpdateLibrary {
    UniqueHmodule module;
    SetAppDetailsFn setAppDetails = nullptr;
    SetAppcastUrlFn setAppcastUrl = nullptr;
    SetEddsaPublicKeyFn setEddsaPublicKey = nullptr;
    SetShutdownRequestCallbackFn setShutdownRequestCallback = nullptr;
    PlainCallFn init = nullptr;
    PlainCallFn checkUpdateWithoutUi = nullptr;
    PlainCallFn checkUpdateWithUi = nullptr;
    PlainCallFn cleanup = nullptr;
};

// Main thread only. Never destroyed: when start-up ends early the process exits without
// clean-up, and the library must not be unloaded under its own running threads.
UpdateLibrary& Library = *new UpdateLibrary;

template <typename Fn>
bool Resolve(HMODULE module, const char* name, Fn& entry) {
    entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return entry != nullptr;
}

// Only a library with every entry point is used; anything less counts as no library.
UpdateLibrary LoadUpdateLibrary() {
    UpdateLibrary library;
    library.module.reset(LoadLibraryBesideProgram(L"WinSparkle.dll"));
    const HMODULE m = library.module.get();
    if (!m) return library;
    const bool complete = Resolve(m, "win_sparkle_set_app_details", library.setAppDetails) &&
                          Resolve(m, "win_sparkle_set_appcast_url", library.setAppcastUrl) &&
                          Resolve(m, "win_sparkle_set_eddsa_public_key", library.setEddsaPublicKey) &&
                          Resolve(m, "win_sparkle_set_shutdown_request_callback", library.setShutdownRequestCallback) &&
                          Resolve(m, "win_sparkle_init", library.init) &&
                          Resolve(m, "win_sparkle_check_update_without_ui", library.checkUpdateWithoutUi) &&
                          Resolve(m, "win_sparkle_check_update_with_ui", library.checkUpdateWithUi) &&
                          Resolve(m, "win_sparkle_cleanup", library.cleanup);
    return complete ? std::move(library) : UpdateLibrary{};
}

// The key is kept once, in the program's resources, so it cannot drift from a copy.
std::string EddsaPublicKeyText() {
    const HRSRC resource = FindResourceW(AppInstance, MAKEINTRESOURCEW(IDR_EDDSA_PUBLIC_KEY), L"EDDSA");
    if (!resource) return "";
    const HGLOBAL loaded = LoadResource(AppInstance, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return "";
    std::string key(static_cast<const char*>(data), SizeofResource(AppInstance, resource));
    const size_t end = key.find_last_not_of(" \t\r\n");
    key.resize(end == std::string::npos ? 0 : end + 1);
    return key;
}

// Runs on a thread of the library. The window is looked up rather than read from the
// main thread's variable, which that thread writes without a lock.
void __cdecl OnShutdownRequest() {
    Diag(L"WinSparkle requested shutdown.\n");
    if (HWND window = FindOwnWindow(L"PinoraNotifyWindow")) PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace

void SetUpUpdates() {
    Library = LoadUpdateLibrary();
    if (!Library.module) return;
    Library.setAppDetails(L"Quendal", L"Pinora", PINORA_VERSION_TEXT);
    Library.setAppcastUrl(PINORA_UPDATE_FEED_URL);
    Library.setEddsaPublicKey(EddsaPublicKeyText().c_str());
    Library.setShutdownRequestCallback(OnShutdownRequest);
    Library.init();
    Library.checkUpdateWithoutUi();
}

void CheckForUpdatesInteractively() {
    if (Library.module) Library.checkUpdateWithUi();
}

// The library stops its threads before it is unloaded.
void CleanUpUpdates() {
    if (!Library.module) return;
    Library.cleanup();
    Library = UpdateLibrary{};
}
