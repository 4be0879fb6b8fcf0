#pragma once
// What never changes for a window, kept from one refresh of the live window list to the next:
// its class, and its process with that process's image path. Title changes make the engine
// re-read every window on the desktop, and these reads were most of that cost.
#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

struct KnownWindow {
    std::wstring className;
    DWORD processId = 0;
    bool pathRead = false;
    std::wstring exePath;
};
using KnownWindowMap = std::unordered_map<HWND, KnownWindow>;

// One refresh's view of the known windows. A window known from the last refresh is served from
// there; a new one is read once. Windows this refresh does not see are forgotten when it hands
// over to the next one.
class KnownWindowCache {
  public:
    // `enumerated`: every top-level window this refresh found.
    explicit KnownWindowCache(const std::vector<HWND>& enumerated);
    ~KnownWindowCache();  // hands what this refresh knows on to the next one
    KnownWindowCache(const KnownWindowCache&) = delete;
    KnownWindowCache& operator=(const KnownWindowCache&) = delete;

    const std::wstring& ClassNameOf(HWND window);
    const std::wstring& ExecutablePathOf(HWND window);

  private:
    KnownWindow& Entry(HWND window);

    KnownWindowMap previous_;
    KnownWindowMap current_;
    std::unordered_map<DWORD, std::wstring> paths_;  // by process id
};
