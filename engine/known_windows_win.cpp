#include "engine/known_windows.h"

#include <utility>

#include "base/guarded_value.h"
#include "engine/engine.h"
#include "engine/window_identity.h"

namespace {

// Handed from each refresh to the next. A refresh takes the whole map out and puts its own
// back, so two refreshes on different threads never share entries; the later one simply reads
// more.
GuardedValue<KnownWindowMap>& KnownWindows() {
    static auto& known = *new GuardedValue<KnownWindowMap>;
    return known;
}

}  // namespace

KnownWindowCache::KnownWindowCache(const std::vector<HWND>& enumerated)
    : previous_(KnownWindows().Update([](KnownWindowMap& known) { return std::exchange(known, {}); })) {
    // A process that still has a known window on the desktop is the same process as when its
    // path was read: its id cannot have been given to another one meanwhile.
    for (HWND window : enumerated) {
        const auto found = previous_.find(window);
        if (found != previous_.end() && found->second.pathRead) {
            paths_.emplace(found->second.processId, found->second.exePath);
        }
    }
}

KnownWindowCache::~KnownWindowCache() {
    KnownWindows().Replace(std::move(current_));
}

KnownWindow& KnownWindowCache::Entry(HWND window) {
    const auto current = current_.find(window);
    if (current != current_.end()) return current->second;
    const auto previous = previous_.find(window);
    if (previous != previous_.end()) return current_.emplace(window, std::move(previous->second)).first->second;
    KnownWindow read;
    read.className = GetWindowClassName(window);
    GetWindowThreadProcessId(window, &read.processId);
    return current_.emplace(window, std::move(read)).first->second;
}

const std::wstring& KnownWindowCache::ClassNameOf(HWND window) {
    return Entry(window).className;
}

const std::wstring& KnownWindowCache::ExecutablePathOf(HWND window) {
    KnownWindow& known = Entry(window);
    if (!known.pathRead) {
        auto path = paths_.find(known.processId);
        if (path == paths_.end())
            path = paths_.emplace(known.processId, ExecutablePathOfProcess(known.processId)).first;
        known.exePath = path->second;
        known.pathRead = true;
    }
    return known.exePath;
}
