#pragma once
// The shell's folder browser.

#include "platform/Messages.h"
#include "platform/SysUtils.h"

// Shows the folder browser over the owner's window, with title above the tree of folders, opened
// at startFolder when that names an existing folder; only folders can be chosen. True with the
// chosen folder's path in folder ("/" for the root, no trailing "/" for any other); false when
// cancelled, folder left as it was. With the test hooks on, the next queued dialog answer of the
// kind "FolderBrowser" chooses: its Folder; the prompt's Text is the folder the browser opened at.
bool SHBrowseForFolder(HWND owner, const String& title, const String& startFolder, String& folder);
