#pragma once
// What the Clusters pane asks of the hot keys the program holds; the application shell,
// whose main thread registers them, defines it.
#include "storage/hot_key_text.h"

// True when the program holds the combination as a cluster's hot key.
bool PinoraHoldsClusterHotKey(const HotKey& hotKey);
