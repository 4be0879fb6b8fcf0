#pragma once
// What the engine asks of the tray icon; the application shell defines it.

// Shows the active clusters in the tooltip: the engine calls it after it changed which
// clusters are active on its own (a new display setup).
void UpdateTrayTooltip();
