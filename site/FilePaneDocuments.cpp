// What the documents ask of the file pane: which names are HTML pages, and a saved file brought
// into the file list.

#include "editor/CorvaletForm.h"

bool THTMLEMainForm::IsHTMLFile(const String& fileName) {
    String name = LowerCase(fileName);
    return Pos(".htm", name) > 0 || Pos(".shtm", name) > 0;
}

namespace {

// The list's own look-up ignores case; a saved file is found under its name exactly.
int IndexOfName(const TStrings& items, const String& name) {
    for (int i = 0; i < items.Count(); ++i)
        if (items[i] == name)
            return i;
    return -1;
}

} // namespace

// The selection is left alone; a file saved into another folder moves nothing.
void THTMLEMainForm::ShowSavedFileInList(const String& fileName) {
    if (IndexOfName(FileListBox1->Items(), fileName) < 0) {
        bool locked = LockWindowUpdate(Handle());
        FileListBox1->Update();
        if (locked)
            LockWindowUpdate(nullptr);
    }
    if (int index = IndexOfName(FileListBox1->Items(), fileName); index >= 0)
        FileListBox1->SetTopIndex(index);
}
