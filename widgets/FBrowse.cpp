#include "widgets/FBrowse.h"

#include "platform/ShlObj.h"

// Only folders of the file system can be chosen; an empty Directory opens the browser where it
// opens by itself.
bool TFolderBrowse::Execute(TWinControl* owner) {
    return SHBrowseForFolder(owner ? owner->Handle() : nullptr, FTitle, FDirectory, FDirectory);
}
