#pragma once
// Rule texts: the chain of conditions by which a saved window entry recognises its window,
// for example
//   Window title does match "Inbox" AND Executable name does not end with "x.exe"
#include <string_view>

#include "storage/profile.h"

// Compares one field value with a condition's value; the operator is chosen by its first
// letter, and a negated condition gives the opposite result.
bool EvaluateCondition(std::wstring_view fieldValue, std::wstring_view expected, bool negated,
                       std::wstring_view operatorText);

// True when the profile's rule text holds for the record. On a match the profile's settings
// are copied into the record (section name, URL, rules, desktop flags and name, Quick Menu
// and SuperGlue flags, corners); the record's identity, frame and z-level stay. On no match
// the record is unchanged.
bool MatchProfile(WindowProfile& record, const WindowProfile& profile);
