// Entry point of Pinora.exe. Without a command on its command line it starts in the tray;
// with one it hands the command to the running copy and exits with the result.
#include "app/remote_command.h"
#include "app/shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const ParsedCommandLine command = ParseCommandLine(ProgramArguments());
    if (command.kind == CommandKind::None) return RunPinora(instance);
    return RunCommandLine(command);
}
