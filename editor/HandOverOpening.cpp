// A file handed over by a second copy of the program: the running window comes to the front and
// opens it on a page of its own, as the first showing opens the file of its own command line.

#include "editor/CorvaletForm.h"

#include "platform/FileUtils.h"

void THTMLEMainForm::OpenHandedOverFile(const String& commandLine) {
    if (WindowState() == wsMinimized)
        SetWindowState(wsNormal);
    Show();
    BringToFront();
    if (!commandLine.empty() && FileExists(commandLine))
        OpenDocumentKeepingName(commandLine);
}

void THTMLEMainForm::MRUMRUItemClick(TObject*, const String& FileName) {
    OpenDocumentKeepingName(FileName);
}

bool THTMLEMainForm::IsTextFile(const String& fileName) const {
    String extension = LowerCase(ExtractFileExt(fileName));
    return !extension.empty() && Pos(extension, TextFileExtensions) > 0;
}

int THTMLEMainForm::FirstFreePage() const {
    for (int page = 0; page < PageCount; ++page)
        if (!PageInUse(page))
            return page;
    return -1;
}

// The page keeps the path as it is on disk, so that saving writes back to the same file; only the
// tab shows it in lower case.
void THTMLEMainForm::OpenDocumentKeepingName(const String& fileName) {
    int target = FirstFreePage();
    if (target < 0) {
        MessageBox(Handle(),
                   "Sorry, can't open more than " + IntToStr(PageCount) + " files at a time.",
                   "Quiltmarker", MB_OK | MB_ICONERROR);
        AbortRequested = true;
        return;
    }
    for (int page = 0; page < PageCount; ++page) {
        if (!PageInUse(page) || FileNames[page] != fileName)
            continue;
        PageControl1->SetActivePage(TabSheets[page]);
        bool revert = GetMemo(page)->Modified() &&
                      MessageBox(Handle(), "Revert to saved version?", "Quiltmarker",
                                 MB_YESNO | MB_ICONQUESTION) == IDYES;
        if (!revert) {
            PageControl1Change(PageControl1);
            return;
        }
        target = page;
        break;
    }
    if (!IsTextFile(fileName))
        return;
    TRichEdit* editor = GetMemo(target);
    editor->SetWordWrap(true);
    editor->Clear();
    ApplyEditorSettings(editor);
    try {
        editor->Lines().LoadFromFile(fileName);
    } catch (const Exception& error) {
        Application->ShowException(error);
        return;
    }
    TabSheets[target]->SetTabVisible(true);
    PageControl1->SetActivePage(TabSheets[target]);
    editor->SetModified(false);
    bool wordWrap = On2->Checked();
    editor->SetWordWrap(wordWrap);
    editor->SetScrollBars(wordWrap ? ssVertical : ssBoth);
    StatusBar1->Panels().Items(ModifiedPanel)->SetText("");
    PageControl1->SetVisible(true);
    TabSheets[target]->SetCaption(LowerCase(ExtractFileName(fileName)));
    FileNames[target] = fileName;
    UpdateDocumentCommands();
    UpdateStatusBar();
}
