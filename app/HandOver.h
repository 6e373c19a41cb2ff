#pragma once
// Handing a command line over from a second copy of the program to the copy that runs.

#include "platform/Controls.h"

#include <functional>

// Sent by a second copy to the running copy's main window once "lqmlink.txt" holds its command
// line; the running copy answers 1 once it has read the file.
constexpr UINT HandOverMessage = WM_USER + 244;

// The lock held by the copy that runs.
constexpr const char* RunningCopyLock = "QuiltmarkerMutex";

// "lqmlink.txt" in the temporary folder.
String HandOverFileName();

// The running copy's window that a second copy brings forward: its title begins with
// "Quiltmarker" and is not the application window's "Quiltmarker v." and version.
bool IsRunningMainWindowTitle(const String& title);

// What a second copy does instead of starting: it waits until the running copy is ready (its main
// window made and listening), brings that window to the front and hands its command line over
// through "lqmlink.txt". A page that cannot be handed over is named to the user, never dropped
// unsaid. False when the running copy has ended meanwhile: the lock is free, and this copy may
// start in its place and open the page itself.
bool HandOverToRunningCopy(const String& commandLine);

// The running copy's side: on the hand-over message, the command line is read from "lqmlink.txt"
// and goes to open once the message has been answered; every other message goes on to the window
// as before. A command line handed over while a modal window is open waits, read already, until
// the last modal window has closed and the command that opened it has ended; then those that
// waited are opened in the order they came.
void ListenForHandOver(TWinControl& mainWindow, std::function<void(const String&)> open);

namespace TestHooks {
// How long a second copy waits for a running copy that is not ready, in milliseconds (20 seconds
// unless a test shortens it); returns the wait that was set before.
DWORD SetRunningCopyWait(DWORD milliseconds);
} // namespace TestHooks
