#include "engine/fullscreen_marks.h"

void FullscreenMarks::Mark(Window window, const std::function<bool(Window)>& exists) {
    if (IsMarked(window)) return;
    for (auto mark = marked_.begin(); mark != marked_.end();) {
        mark = exists(*mark) ? std::next(mark) : marked_.erase(mark);
    }
    marked_.insert(window);
}
