// Entry point of Pinora.exe. The program takes no command-line options: only the instance
// handle is used.
#include "app/shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return RunPinora(instance);
}
