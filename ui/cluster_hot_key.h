#pragma once
// The Clusters pane's hot key: the system hot-key control, its "Clear" button and the note
// that says why a combination is refused.
#include <string>

#include "storage/ini_document.h"
#include "ui/cluster_window.h"

// The cluster's stored hot key (none for an unreadable one) and, when it is taken, the note;
// no cluster: none, disabled.
void ShowClusterHotKey(ClusterWindowState& state, const std::wstring& cluster);
// The control changed or "Clear" was pressed: takes the new combination and checks it.
void OnHotKeyEdited(ClusterWindowState& state);
void ClearHotKey(ClusterWindowState& state);
// True while an edited combination is refused: Apply is not offered.
bool HotKeyBlocksApply(const ClusterWindowState& state);
// Apply: an edited hot key goes into the document (a cleared one removes the key); one left
// as the file set it leaves the key as it is written.
void StoreClusterHotKey(const ClusterWindowState& state, IniDocument& document);
// After a cluster file changed: the main thread registers every hot key anew.
void AskForHotKeyRegistration();
