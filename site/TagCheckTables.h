#pragma once
// The tag checker's four tag tables, kept as the program's numbered resource strings so that a
// translator or a later version can change them without touching the checker.

#include "platform/SysUtils.h"

// Tags closed by an end tag, separated by blanks.
constexpr int ContainerTagsResource = 101;
// Tags that take no end tag, separated by blanks.
constexpr int EmptyTagsResource = 102;
// Tags allowed in the head section, each between "&" signs.
constexpr int HeadTagsResource = 103;
// Tags allowed only in the head section, each between "&" signs.
constexpr int HeadOnlyTagsResource = 104;

// The text of a string resource; empty for a number the program has no string for.
String LoadResourceText(int number);
