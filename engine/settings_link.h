#pragma once
// What the engine reads of the program's settings; the application shell defines it.

// "Time Delay" of the settings file, in seconds (2 when the file or the key is missing).
int ReadTimeDelay();
