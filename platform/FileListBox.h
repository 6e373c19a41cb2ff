#pragma once
// The file list of one folder: its items are the names of the files there that match the mask.

#include "platform/StdCtrls.h"

class TFileListBox : public TListBox {
public:
    explicit TFileListBox(TComponent* AOwner);

    // The folder shown, without a final PathDelim except at the root; setting it re-reads the
    // list.
    const String& Directory() const { return FDirectory; }
    void SetDirectory(const String& value);
    // Masks separated by ";" ("*.htm*;*.txt"), matched as the framework's wildcards; setting it
    // re-reads the list.
    const String& Mask() const { return FMask; }
    void SetMask(const String& value);
    // The full path of the focused entry, or empty.
    String FileName() const;
    // The cursor shown while an entry is dragged from the list.
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor value) { FDragCursor = value; }
    // Reads the folder again.
    void Update();

private:
    bool MatchesAnyMask(const String& name) const;

    String FDirectory;
    String FMask = "*.*";
    TCursor FDragCursor = crDrag;
};
