#pragma once
// Windows seen while fullscreen, whose next location change runs the delayed placement
// passes. A window handle is a key only; whether it still names a window is asked of the
// caller.
#include <functional>
#include <set>

class FullscreenMarks {
  public:
    using Window = void*;

    // Marks the window. A new mark first drops the marks of windows that no longer exist, so
    // the set stays small and a later window that reuses a handle inherits no mark.
    void Mark(Window window, const std::function<bool(Window)>& exists);
    bool IsMarked(Window window) const { return marked_.count(window) != 0; }
    // True when the window was marked; the mark is gone afterwards.
    bool Consume(Window window) { return marked_.erase(window) != 0; }
    size_t size() const { return marked_.size(); }

  private:
    std::set<Window> marked_;
};
