#pragma once
// Starting other programs: a program file and its arguments, each argument handed over whole
// (a path with blanks stays one argument), with no shell between that could read anything in
// them as its own syntax. The program runs on its own; nothing waits for it.

#include "platform/Messages.h"
#include "platform/SysUtils.h"

#include <vector>

// Splits a command line the way Windows programs read theirs: blanks and tabs separate the
// arguments, a double quote begins or ends a stretch in which blanks belong to the argument, and
// the quotes themselves are dropped ("C:\Program Files\x.exe" "a b" c -> three arguments).
// Backslashes are ordinary characters, as they are in paths.
std::vector<String> SplitCommandLine(const String& commandLine);

// Starts the program (a path, or a name looked up on the PATH) with the arguments. False when it
// could not be started. With the test hooks on, the start is recorded instead and reported as
// done.
bool StartProgram(const String& program, const std::vector<String>& arguments);

// Hands a web, mail, news or ftp address to the program the desktop has for it.
bool OpenWithDesktop(const String& address);

// Runs a command line as the Windows call of that name does: a result above 31 means the program
// started, 2 that it could not be. "WinHelp <file>" (the rest of the line is the file, blanks and
// all) opens the help viewer of platform/WinHelp.h, as there is no help program of its own here:
// 2 when the file cannot be read, and the viewer opens empty without a file. The window of a
// started program shows as that program shows it.
UINT WinExec(const String& commandLine, UINT cmdShow);
