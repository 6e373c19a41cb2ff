#pragma once
// What every element dialog repeats when it writes its element: attribute texts in the house
// form (upper-case name after one blank, left out when empty), values that stay one attribute
// whatever the user typed, image sizes, and URLs relative to the page.

#include "platform/SysUtils.h"

class TCheckBox;
class TEdit;
class TUpDown;
class THTMLEMainForm;

// A value for inside double quotes: a double quote becomes "&quot;" and an "&" that starts no
// character reference becomes "&amp;", so the value ends where the browser expects it to.
String QuotedValue(const String& value);
// " NAME=\"value\"", or "" when the value is empty.
String QuotedAttribute(const String& name, const String& value);
// " NAME=value" as typed, or "" when the value is empty. A value that would not stay one
// attribute unquoted (a blank, a quote, ">"...) is quoted after all.
String PlainAttribute(const String& name, const String& value);
// " NAME" when the box is ticked, else "".
String CheckedOption(const TCheckBox* box, const String& name);
// " NAME=1" when the box is ticked, else " NAME=0".
String OnOffAttribute(const String& name, const TCheckBox* box);
// " NAME=" and the up-down's position, or "" when its box is empty: the position, not the typed
// text, so a number outside the up-down's range never reaches the page.
String PositionAttribute(const String& name, const TEdit* box, const TUpDown* upDown);

// The folder whose relative URLs a dialog writes: the active page's file's folder, or the file
// pane's current folder for an untitled page or none; ends in PathDelim.
String DialogPageFolder(const THTMLEMainForm& main);
// The URL of a chosen file relative to the page folder.
String URLFromPage(const String& filePath, const String& pageFolder);

// The width (selector 'W') or height ('H') of the image as decimal text, read by the reader of
// every kind whose extension the path holds as ".gif"/".GIF", ".jpg"/".JPG", ".bmp"/".BMP" or
// ".png"/".PNG" (a later kind's answer replacing an earlier one); "" when it names no kind.
String ImageSizeOf(const String& path, char selector);
