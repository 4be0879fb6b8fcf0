#pragma once
// How the engine follows the monitors: the display setup connected now, the clusters tied
// to setups, and the settle sequence after display notices. Main thread only.
#include "engine/display_settle.h"
#include "engine/display_setup.h"

DisplaySetup ReadDisplaySetup();
// The tie rule for the setup connected now; start-up runs it after "Activate on Startup".
void FollowConnectedSetup();
void OnDisplayNotice(DisplayNotice notice);
// True while windows that move are moved by the system (monitors off, session locked, or a
// settle sequence running): such moves get no drag-return of their own.
bool SystemMovesWindows();
