// What the documents ask of the file pane: a saved file brought into the file list.

#include "site/FilePane.h"

#include "editor/CorvaletForm.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"

namespace {

// The list's own look-up ignores case; a saved file is found under its name exactly.
int IndexOfName(const TStrings& items, const String& name) {
    for (int i = 0; i < items.Count(); ++i)
        if (items[i] == name)
            return i;
    return -1;
}

} // namespace

void TFilePane::FileSaved(const String& fileName) {
    ShowSavedFileInList(ExtractFileName(fileName));
}

// The selection is left alone; a file saved into another folder moves nothing.
void TFilePane::ShowSavedFileInList(const String& fileName) {
    if (IndexOfName(FileListBox1->Items(), fileName) < 0)
        RereadFileList();
    if (int index = IndexOfName(FileListBox1->Items(), fileName); index >= 0)
        FileListBox1->SetTopIndex(index);
}
