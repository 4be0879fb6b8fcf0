#pragma once
// The rules of a cluster saved from the open windows: each entry's rule must recognise its own
// window and no other saved window.
#include <string>
#include <vector>

#include "storage/profile.h"

// One rule per window to save (top of the stacking order first), or an empty text for a window
// that gets no entry. The rule is the first of these that holds for the window and for no other
// window to save: the executable name; the executable name and the class; the executable name
// and the title's beginning, the shortest first that tells it apart; the executable name and
// the whole title. Rules that also keep clear of the `others` (windows that get no entry, such
// as minimised ones) are preferred. A window whose title an earlier window carries gets no
// entry: the cluster map tells entries apart by title, and no rule could tell identical windows apart.
std::vector<std::wstring> ChooseCaptureRules(const std::vector<WindowProfile>& windows,
                                             const std::vector<WindowProfile>& others);

// The beginnings of a title at its word boundaries, shortest first, each without the separator
// (" - ", " | ", ": " and the like) in front of the next word; never the whole title.
std::vector<std::wstring> TitleBeginnings(const std::wstring& title);
