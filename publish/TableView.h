#pragma once
// The preview's table views: every TABLE tag of a page given a visible border, or a background
// colour of its own, so that the page's tables show where they are.

#include "platform/SysUtils.h"

// The text with its TABLE tags rewritten; the colours start again at the first for every text.
String TableViewText(const String& text, bool borders, bool backgrounds);
