#include "engine/fullscreen_marks.h"

#include <gtest/gtest.h>

#include <set>

namespace {

int windows[3];  // stand-in handles: their addresses

}  // namespace

TEST(FullscreenMarks, ANewMarkDropsTheMarksOfClosedWindows) {
    std::set<FullscreenMarks::Window> open = {&windows[0], &windows[1], &windows[2]};
    const auto exists = [&open](FullscreenMarks::Window w) { return open.count(w) != 0; };
    FullscreenMarks marks;
    marks.Mark(&windows[0], exists);
    marks.Mark(&windows[1], exists);

    open.erase(&windows[0]);          // closed while fullscreen
    marks.Mark(&windows[1], exists);  // marked again: nothing new, nothing dropped
    EXPECT_TRUE(marks.IsMarked(&windows[0]));
    marks.Mark(&windows[2], exists);
    EXPECT_FALSE(marks.IsMarked(&windows[0])) << "a later window with this handle would inherit the mark";
    EXPECT_EQ(marks.size(), 2u);

    EXPECT_TRUE(marks.Consume(&windows[1]));
    EXPECT_FALSE(marks.Consume(&windows[1]));
}
