#pragma once
// The folder browser as a component: the caller sets Title (and Directory to start from) and runs
// Execute; the chosen folder comes back in Directory.

#include "platform/Controls.h"

class TFolderBrowse : public TComponent {
public:
    explicit TFolderBrowse(TComponent* AOwner) : TComponent(AOwner) {}

    // In: the folder the browser opens at, when not empty. Out: the folder chosen.
    const String& Directory() const { return FDirectory; }
    void SetDirectory(const String& value) { FDirectory = value; }
    // The text above the tree of folders.
    const String& Title() const { return FTitle; }
    void SetTitle(const String& value) { FTitle = value; }

    // Shows the browser over owner's window (none: over no window); true when a folder was
    // chosen, false when it was cancelled, Directory then unchanged.
    bool Execute(TWinControl* owner);

private:
    String FDirectory;
    String FTitle;
};
