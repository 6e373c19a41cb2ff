// Opening documents: the File menu's new and open commands, the recent files, files dropped on
// the window, the text-file types and the File menu's state. Saving is in DocumentsSave.cpp,
// closing in DocumentsClose.cpp.
//
// A page keeps the path its file has on disk and shows it so: two files whose names differ only
// in case are two files here.

#include "editor/CorvaletForm.h"

#include "editor/DialogGuard.h"
#include "editor/FontSettings.h"
#include "editor/TextFilesForm.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/ShellApi.h"
#include "services/MRULiss.h"
#include "services/ProgramSettings.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmHook.h"
#include "widgets/QmToolbars.h"

namespace {

const char* const TemplateFilter =
    "Quiltmarker Templates (*.htt)|*.htt|HTML Files|*.*htm*|All files|*.*";

const char* LineBreakName(TTextLineBreakStyle style) {
    return style == tlbsLF ? "LF" : style == tlbsCR ? "CR" : "CR LF";
}

// An editor page holds one kind of line end, so a file with several cannot be written back as it
// was: the user is told once, on opening, which kind saving writes.
void TellMixedLineBreaks(HWND owner, const TRichEdit& editor, const String& fileName) {
    const TLineBreaks& found = editor.FileLineBreaks();
    if (found.Mixed)
        MessageBox(owner,
                   fileName + " has mixed line ends.\r\nSaving it will write every line end as " +
                       LineBreakName(found.Style) + ".",
                   "Quiltmarker", MB_OK | MB_ICONINFORMATION);
}

} // namespace

// New and Open head the File menu, then the saving commands; the closing ones and Exit end it,
// around the printing ones.
void THTMLEMainForm::BuildDocuments() {
    New1 = InsertItem(this, File1, 0, "New1", "&New");
    BlankDocument1 = AddItem(this, New1, "BlankDocument1", "&Blank Document");
    Open1 = InsertItem(this, File1, 1, "Open1", "&Open");
    OpenFile1 = AddItem(this, Open1, "OpenFile1", "&File...");
    OpenFile1->SetShortCut(ShortCut('O', ssCtrl));
    Save1 = InsertItem(this, File1, 2, "Save1", "&Save");
    Save1->SetShortCut(ShortCut('S', ssCtrl));
    SaveAs1 = InsertItem(this, File1, 3, "SaveAs1", "Save &As...");
    SaveAsTemplate = InsertItem(this, File1, 4, "SaveAsTemplate", "Save As &Template...");
    SaveAsFrameworkDocument1 =
        InsertItem(this, File1, 5, "SaveAsFrameworkDocument1", "Save As &Framework Document");
    Close1 = AddItem(this, File1, "Close1", "&Close");
    Close1->SetShortCut(ShortCut(VK_F4, ssCtrl));
    CloseAll1 = AddItem(this, File1, "CloseAll1", "Close A&ll");
    CloseAll1->SetShortCut(ShortCut(VK_F4, TShiftState{ssCtrl, ssShift}));
    Exit1 = AddItem(this, File1, "Exit1", "E&xit");
    TextFiles1 = AddItem(this, Preferences1, "TextFiles1", "Te&xt Files...");

    OpenDialog = NewComponent<TOpenDialog>(this, "OpenDialog");
    OpenDialog->SetDefaultExt("htm");
    TOpenOptions openOptions = OpenDialog->Options();
    openOptions << ofAllowMultiSelect;
    OpenDialog->SetOptions(openOptions);
    OpenDialog->SetFilter("HTML Files|*.*htm*|Corvalet Templates|*.htt|All files|*.*");
    SaveDialog = NewComponent<TSaveDialog>(this, "SaveDialog");
    SaveDialog->SetOptions({ofOverwritePrompt, ofHideReadOnly, ofNoNetworkButton, ofEnableSizing});
    SaveDialog->SetFilter("HTML files (*.*htm*)|*.*htm*|Corvalet Templates (*.htt)|*.htt|"
                          "Framework Document (framewk.htm)|framewk.htm|"
                          "Graphics files (*.gif;*.jpg;*.png;*.bmp)|*.gif;*.jpg;*.png;*.bmp|"
                          "Text files (*.txt)|*.txt|All files (*.*)|*.*");

    MRU = NewComponent<TMRUFileList>(this, "MRU");
    MRU->SetMaximum(12);
    MRU->SetFileMenu(File1);
    MRU->SetAutoSaveName(ProductSubKey("LatestFiles"));
    MRU->SetAutoSaveKey("MRU Items");
}

void THTMLEMainForm::BindDocuments() {
    File1->OnClick = Handler(this, &THTMLEMainForm::File1Click);
    BlankDocument1->OnClick = Handler(this, &THTMLEMainForm::FileNewButtonClick);
    FileNewButton->OnClick = Handler(this, &THTMLEMainForm::FileNewButtonClick);
    OpenFile1->OnClick = Handler(this, &THTMLEMainForm::FileOpenClick);
    FileOpenButton->OnClick = Handler(this, &THTMLEMainForm::FileOpenClick);
    Save1->OnClick = Handler(this, &THTMLEMainForm::Save1Click);
    WindowHook2->AfterMessage = Handler(this, &THTMLEMainForm::WindowHook2AfterMessage);
    FileSaveButton->OnClick = Handler(this, &THTMLEMainForm::FileSaveButtonClick);
    SaveAs1->OnClick = Handler(this, &THTMLEMainForm::SaveAs1Click);
    Close1->OnClick = Handler(this, &THTMLEMainForm::Close1Click);
    CloseAll1->OnClick = Handler(this, &THTMLEMainForm::CloseAll1Click);
    CloseButton->OnClick = Handler(this, &THTMLEMainForm::Close1Click);
    CloseAllButton->OnClick = Handler(this, &THTMLEMainForm::CloseAll1Click);
    Exit1->OnClick = Handler(this, &THTMLEMainForm::Exit1Click);
    TextFiles1->OnClick = Handler(this, &THTMLEMainForm::TextFiles1Click);
    MRU->OnMRUItemClick = Handler(this, &THTMLEMainForm::MRUMRUItemClick);
    for (TRichEdit* editor : Memos) {
        editor->OnExit = Handler(this, &THTMLEMainForm::Memo1Exit);
        editor->OnMouseUp = Handler(this, &THTMLEMainForm::Memo1MouseUp);
    }
}

// ---- Commands ----

void THTMLEMainForm::FileNewButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::FileNewButtonClick))
        return;
    LeaveViewsOverPages();
    int page = FirstFreePage();
    if (page < 0) {
        MessageBox(Handle(),
                   "Sorry, can't open more than " + IntToStr(PageCount) + " files open at a time.",
                   "Quiltmarker", MB_OK | MB_ICONERROR);
        AbortRequested = true;
        return;
    }
    TRichEdit* editor = GetMemo(page);
    TFont font = DefaultEditorFont();
    TRegistry reg;
    if (reg.OpenKeyReadOnly(ProductSubKey("Font")))
        ReadFontSettings(reg, font);
    font.SetName(Copy(font.Name(), 1, 31));
    TextStyle = TagStyleBits(font.Style());
    editor->Font().Assign(font);
    String caption = "[untitled" + IntToStr(++UntitledCounter) + "]";
    TabSheets[page]->SetCaption(caption);
    FileNames[page] = caption;
    editor->Clear();
    ShowFreshPage(page);
    UpdateStatusBar();
    TellPageLoaded(page);
    UpdateDocumentCommands();
}

void THTMLEMainForm::FileOpenClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::FileOpenClick))
        return;
    LeaveViewsOverPages();
    AbortRequested = false;
    OpenDialog->SetInitialDir(WorkingFolder());
    if (OpenDialog->Execute()) {
        for (int i = 0; i < OpenDialog->Files().Count() && !AbortRequested; ++i)
            OpenDocument(OpenDialog->Files()[i], false, true, false);
    }
    UpdateDocumentCommands();
    AbortRequested = false;
}

void THTMLEMainForm::MRUMRUItemClick(TObject*, const String& FileName) {
    OpenDocument(FileName, false, true, false);
    UpdateDocumentCommands();
}

// Each path is taken whole, whatever its length.
void THTMLEMainForm::OpenDroppedFiles(const std::vector<String>& paths) {
    for (const String& path : paths) {
        if (!IsTextFile(path)) {
            ShowMessage("Can only open HTML and text files in Quiltmarker");
            return;
        }
        OpenDocument(path, false, true, false);
    }
}

void THTMLEMainForm::WindowHook2AfterMessage(TObject* /*Sender*/, TMessage& Msg,
                                             bool& /*Handled*/) {
    if (Msg.Msg != WM_DROPFILES)
        return;
    auto drop = reinterpret_cast<HDROP>(Msg.WParam);
    std::vector<String> paths;
    const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT file = 0; file < count; ++file)
        paths.push_back(DragQueryFileName(drop, file));
    DragFinish(drop);
    OpenDroppedFiles(paths);
}

void THTMLEMainForm::TextFiles1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::TextFiles1Click))
        return;
    TDialogGuard<TTextFilesForm> dialog(TextFilesForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->ShowExtensions(ReadTextFileTypes());
    if (dialog.ShowModal() != mrOk)
        return;
    TextFileExtensions = WriteTextFileTypes(dialog->Extensions());
}

// ---- The File menu and the editors ----

// The analyser's and the background picture's items belong to the file-pane commands, which set
// their own state as they come.
void THTMLEMainForm::File1Click(TObject* /*Sender*/) {
    UpdateDocumentCommands();
    bool helpMode = Screen->Cursor() == crHelp;
    bool documents = AnyDocumentOpen() || helpMode;
    for (TMenuItem* item : {Save1, SaveAs1, Close1, CloseAll1, SaveAsTemplate})
        item->SetEnabled(documents);
}

void THTMLEMainForm::Memo1Exit(TObject* /*Sender*/) {
    Screen->SetCursor(crDefault);
}

void THTMLEMainForm::Memo1MouseUp(TObject* /*Sender*/, TMouseButton Button, TShiftState Shift,
                                  int /*X*/, int /*Y*/) {
    LastMouseButton = Button;
    LastShiftState = Shift;
    Screen->SetCursor(crDefault);
}

// ---- Opening a file ----

bool THTMLEMainForm::IsTextFile(const String& fileName) const {
    String extension = LowerCase(ExtractFileExt(fileName));
    return !extension.empty() && Pos(extension, TextFileExtensions) > 0;
}

bool THTMLEMainForm::IsHTMLFile(const String& fileName) {
    String name = LowerCase(fileName);
    return Pos(".htm", name) > 0 || Pos(".shtm", name) > 0;
}

bool THTMLEMainForm::IsAutosaveCopy(const String& fileName) {
    return LowerCase(ExtractFileExt(fileName)) == ".htmtmp";
}

void THTMLEMainForm::ReportNotATextFile(const String& fileName) {
    MessageBox(Handle(),
               fileName + " was not opened: only HTML and text files open in Quiltmarker.\r\n"
                          "Its type can be added to them under Preferences, Text Files.",
               "Quiltmarker", MB_OK | MB_ICONWARNING);
}

int THTMLEMainForm::FirstFreePage() const {
    for (int page = 0; page < PageCount; ++page)
        if (!PageInUse(page))
            return page;
    return -1;
}

String THTMLEMainForm::ChooseTemplate() {
    OpenDialog->SetFilter(TemplateFilter);
    OpenDialog->SetInitialDir(TemplateFolder);
    return OpenDialog->Execute() ? OpenDialog->FileName() : String();
}

int THTMLEMainForm::ReusedPage(const String& fileName, bool* found) {
    *found = false;
    for (int page = 0; page < PageCount; ++page) {
        if (!PageInUse(page) || FileNames[page] != fileName)
            continue;
        *found = true;
        PageControl1->SetActivePage(TabSheets[page]);
        bool revert = GetMemo(page)->Modified() &&
                      MessageBox(Handle(), "Revert to saved version?", "Quiltmarker",
                                 MB_YESNO | MB_ICONQUESTION) == IDYES;
        if (!revert)
            PageControl1Change(PageControl1);
        return revert ? page : -1;
    }
    return -1;
}

void THTMLEMainForm::ApplyWordWrapPreference(TRichEdit* editor) {
    bool wordWrap = On2->Checked();
    editor->SetWordWrap(wordWrap);
    editor->SetScrollBars(wordWrap ? ssVertical : ssBoth);
}

void THTMLEMainForm::ShowFreshPage(int page) {
    TRichEdit* editor = GetMemo(page);
    TabSheets[page]->SetTabVisible(true);
    PageControl1->SetActivePage(TabSheets[page]);
    editor->SetModified(false);
    ApplyWordWrapPreference(editor);
    StatusBar1->Panels().Items(ModifiedPanel)->SetText("");
    PageControl1->SetVisible(true);
    FocusActivePage();
}

// The name goes into the recent files before any test, as the user chose it. A file that cannot
// be read is reported and leaves the page it was meant for as it was, so a failed revert keeps
// the edited text.
int THTMLEMainForm::OpenDocument(const String& fileName, bool chooseTemplate, bool keepName,
                                 bool anyExtension) {
    int target = FirstFreePage();
    if (target < 0) {
        MessageBox(Handle(),
                   "Sorry, can't open more than " + IntToStr(PageCount) + " files at a time.",
                   "Quiltmarker", MB_OK | MB_ICONERROR);
        AbortRequested = true;
        return -1;
    }
    String name = chooseTemplate ? ChooseTemplate() : fileName;
    if (chooseTemplate && name.empty())
        return -1;
    // An autosave copy loads as text under the page name it was written for; it is deleted once
    // recovered, so it never becomes a recent file.
    const bool autosaveCopy = IsAutosaveCopy(name);
    if (!chooseTemplate && !autosaveCopy)
        MRU->AddToTop(name);
    if (name.empty())
        return -1;
    if (keepName) {
        bool found = false;
        int reused = ReusedPage(name, &found);
        if (found && reused < 0)
            return -1;
        if (found)
            target = reused;
    }
    String displayName = ExtractFileName(name);
    if (autosaveCopy)
        displayName = Copy(displayName, 1, Pos(".", displayName) - 1) + ".html";
    if (!IsTextFile(name) && !anyExtension && !autosaveCopy) {
        ReportNotATextFile(name);
        return -1;
    }
    TRichEdit* editor = GetMemo(target);
    editor->SetWordWrap(true);
    ApplyEditorSettings(editor);
    try {
        editor->Lines().LoadFromFile(name);
    } catch (const Exception& error) {
        Application->ShowException(error);
        return -1;
    }
    TellMixedLineBreaks(Handle(), *editor, name);
    ShowFreshPage(target);
    if (keepName) {
        TabSheets[target]->SetCaption(displayName);
        FileNames[target] = autosaveCopy ? String("[untitled]") : name;
    } else {
        TabSheets[target]->SetCaption("[untitled" + IntToStr(++UntitledCounter) + "]");
        FileNames[target] = "[untitled]";
    }
    TellPageLoaded(target);
    UpdateDocumentCommands();
    UpdateStatusBar();
    return target;
}

void THTMLEMainForm::TellPageLoaded(int page) {
    for (const auto& feature : FFeatures)
        feature->PageLoaded(page);
}
