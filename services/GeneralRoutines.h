#pragma once
// Path routines that the file commands share.

#include "platform/Component.h"

class TGeneralRoutines : public TComponent {
public:
    using TComponent::TComponent;

    // True when the folder can be made the current folder. The current folder is the same
    // afterwards, whatever the outcome.
    bool DirectoryExists(const String& path) const;
    // The last character; NUL for an empty text.
    char GetLastChar(const String& text) const;
    char LastChar(const String& text) const;
    // The path with one path delimiter added unless it ends in one already; an empty path stays
    // empty, so that joining it with a name never yields a path from the root.
    String AddDirSlash(const String& path) const;
};
