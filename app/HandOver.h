#pragma once
// Handing a command line over from a second copy of the program to the copy that runs.

#include "platform/Controls.h"

#include <functional>

// Sent by a second copy to the running copy's main window once "lqmlink.txt" holds its command
// line.
constexpr UINT HandOverMessage = WM_USER + 244;

// "lqmlink.txt" in the temporary folder.
String HandOverFileName();

// The running copy's window that a second copy brings forward: its title begins with
// "Quiltmarker" and is not the application window's "Quiltmarker v." and version.
bool IsRunningMainWindowTitle(const String& title);

// What a second copy does instead of starting: it brings the running copy's main window to the
// front and hands its command line over through "lqmlink.txt".
void HandOverToRunningCopy(const String& commandLine);

// The running copy's side: on the hand-over message, the command line from "lqmlink.txt" goes to
// open; every other message goes on to the window as before. A command line handed over while a
// modal window is open waits, read already, until the last modal window has closed and the
// command that opened it has ended; then those that waited are opened in the order they came.
void ListenForHandOver(TWinControl& mainWindow, std::function<void(const String&)> open);
