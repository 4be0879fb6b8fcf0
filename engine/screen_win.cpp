#include "engine/engine.h"

POINT ScreenCenteredOrigin(int width, int height) {
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    return POINT{(desktop.right - width) / 2, (desktop.bottom - height) / 2};
}
