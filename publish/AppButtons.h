#pragma once
// The command lines of the application buttons: the placeholders a user writes in them and the
// program and arguments they give.

#include "platform/SysUtils.h"

#include <vector>

// What the placeholders of a command line stand for.
struct TAppPlaceholders {
    String ShortPath;     // "%s1": the page's path in its short form
    String Path;          // "%1": the page's path
    String Url;           // "%2": the page's path as a file URL
    String SelectedFiles; // "%3": the file list's selected files, with their folder, joined by ";"
};

// The command line split into the program and its arguments, then each placeholder ("%s1", "%1",
// "%2", "%3", in this order) replaced at its first occurrence. Splitting comes first, so a path
// put in for a placeholder stays one argument whatever blanks it holds; an argument that was
// only a placeholder standing for nothing is left out. Empty for a blank line.
std::vector<String> AppCommandArguments(const String& commandLine, const TAppPlaceholders& values);
