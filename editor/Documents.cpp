// Opening documents: the File menu's new and open commands, the recent files, files dropped on
// the window, the text-file types and the File menu's state. Saving is in DocumentsSave.cpp,
// closing in DocumentsClose.cpp.
//
// A page keeps the path its file has on disk and shows it so: two files whose names differ only
// in case are two files here.

#include "editor/Documents.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/FontSettings.h"
#include "editor/PageLayout.h"
#include "editor/TextFilesForm.h"
#include "platform/CommonDialogs.h"
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

void TDocuments::Build() {
    BuildFileMenu();
    BuildToolbarButtons();
    BuildDialogs();
    MRU = NewComponent<TMRUFileList>(&Form, "MRU");
    MRU->SetMaximum(12);
    MRU->SetFileMenu(Form.File1);
    MRU->SetAutoSaveName(ProductSubKey("LatestFiles"));
    MRU->SetAutoSaveKey("MRU Items");
    WindowHook2 = NewComponent<TQmWindowHook>(&Form, "WindowHook2");
    WindowHook2->SetIsForm(true);
}

void TDocuments::BuildFileMenu() {
    TMenuItem* file = Form.File1;
    New1 = InsertItem(&Form, file, 0, "New1", "&New");
    BlankDocument1 = AddItem(&Form, New1, "BlankDocument1", "&Blank Document");
    Open1 = InsertItem(&Form, file, 1, "Open1", "&Open");
    OpenFile1 = AddItem(&Form, Open1, "OpenFile1", "&File...");
    OpenFile1->SetShortCut(ShortCut('O', ssCtrl));
    Save1 = InsertItem(&Form, file, 2, "Save1", "&Save");
    Save1->SetShortCut(ShortCut('S', ssCtrl));
    SaveAs1 = InsertItem(&Form, file, 3, "SaveAs1", "Save &As...");
    const int exit = file->IndexOf(Form.Exit1);
    Close1 = InsertItem(&Form, file, exit, "Close1", "&Close");
    Close1->SetShortCut(ShortCut(VK_F4, ssCtrl));
    CloseAll1 = InsertItem(&Form, file, exit + 1, "CloseAll1", "Close A&ll");
    CloseAll1->SetShortCut(ShortCut(VK_F4, TShiftState{ssCtrl, ssShift}));
    TextFiles1 = AddItem(&Form, Form.Preferences1, "TextFiles1", "Te&xt Files...");
}

void TDocuments::BuildToolbarButtons() {
    TQmToolbar* toolbar = Form.StdToolbar;
    FileNewButton = Form.InsertToolbarButton(toolbar, nullptr, "FileNewButton", "New");
    FileOpenButton = Form.InsertToolbarButton(toolbar, FileNewButton, "FileOpenButton", "Open");
    FileSaveButton = Form.InsertToolbarButton(toolbar, FileOpenButton, "FileSaveButton", "Save");
    CloseButton = Form.InsertToolbarButton(toolbar, FileSaveButton, "CloseButton", "Close");
    CloseAllButton = Form.InsertToolbarButton(toolbar, CloseButton, "CloseAllButton", "Close All");
}

void TDocuments::BuildDialogs() {
    OpenDialog = NewComponent<TOpenDialog>(&Form, "OpenDialog");
    OpenDialog->SetDefaultExt("htm");
    TOpenOptions openOptions = OpenDialog->Options();
    openOptions << ofAllowMultiSelect;
    OpenDialog->SetOptions(openOptions);
    OpenDialog->SetFilter("HTML Files|*.*htm*|Corvalet Templates|*.htt|All files|*.*");
    SaveDialog = NewComponent<TSaveDialog>(&Form, "SaveDialog");
    SaveDialog->SetOptions({ofOverwritePrompt, ofHideReadOnly, ofNoNetworkButton, ofEnableSizing});
    SaveDialog->SetFilter("HTML files (*.*htm*)|*.*htm*|Corvalet Templates (*.htt)|*.htt|"
                          "Framework Document (framewk.htm)|framewk.htm|"
                          "Graphics files (*.gif;*.jpg;*.png;*.bmp)|*.gif;*.jpg;*.png;*.bmp|"
                          "Text files (*.txt)|*.txt|All files (*.*)|*.*");
}

void TDocuments::Bind() {
    BlankDocument1->OnClick = Handler(this, &TDocuments::FileNewButtonClick);
    FileNewButton->OnClick = Handler(this, &TDocuments::FileNewButtonClick);
    OpenFile1->OnClick = Handler(this, &TDocuments::FileOpenClick);
    FileOpenButton->OnClick = Handler(this, &TDocuments::FileOpenClick);
    Save1->OnClick = Handler(this, &TDocuments::Save1Click);
    WindowHook2->AfterMessage = Handler(this, &TDocuments::WindowHook2AfterMessage);
    FileSaveButton->OnClick = Handler(this, &TDocuments::FileSaveButtonClick);
    SaveAs1->OnClick = Handler(this, &TDocuments::SaveAs1Click);
    Close1->OnClick = Handler(this, &TDocuments::Close1Click);
    CloseAll1->OnClick = Handler(this, &TDocuments::CloseAll1Click);
    CloseButton->OnClick = Handler(this, &TDocuments::Close1Click);
    CloseAllButton->OnClick = Handler(this, &TDocuments::CloseAll1Click);
    TextFiles1->OnClick = Handler(this, &TDocuments::TextFiles1Click);
    MRU->OnMRUItemClick = Handler(this, &TDocuments::MRUMRUItemClick);
}

void TDocuments::ReadSettings() {
    TextFileExtensions.clear();
    for (const String& extension : StoredTextFileTypes())
        TextFileExtensions += extension + " ";
    if (TextFileExtensions.empty())
        TextFileExtensions = DefaultTextFileExtensions;
}

void TDocuments::UpdateCommands() {
    bool enabled = Form.DocumentCommandsEnabled();
    for (TMenuItem* item : {Save1, SaveAs1, Close1, CloseAll1})
        item->SetEnabled(enabled);
    for (TQmToolbarButton* button : {FileSaveButton, CloseButton, CloseAllButton})
        button->SetEnabled(enabled);
}

void TDocuments::MenuOpening(TMenuItem& menu) {
    if (&menu != Form.File1)
        return;
    bool documents = Form.PageCommandsOffered();
    for (TMenuItem* item : {Save1, SaveAs1, Close1, CloseAll1})
        item->SetEnabled(documents);
}

// ---- Commands ----

void TDocuments::FileNewButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::FileNewButtonClick))
        NewBlankPage();
}

int TDocuments::NewBlankPage() {
    Form.LeaveViewsOverPages();
    int page = Form.FirstFreePage();
    if (page < 0) {
        MessageBox(Form.Handle(),
                   "Sorry, can't open more than " + IntToStr(THTMLEMainForm::PageCount) +
                       " files open at a time.",
                   "Quiltmarker", MB_OK | MB_ICONERROR);
        Form.AbortRequested = true;
        return -1;
    }
    TRichEdit* editor = Form.GetMemo(page);
    TFont font = DefaultEditorFont();
    TRegistry reg;
    if (reg.OpenKeyReadOnly(ProductSubKey("Font")))
        ReadFontSettings(reg, font);
    font.SetName(Copy(font.Name(), 1, 31));
    Form.TextStyle = TagStyleBits(font.Style());
    editor->Font().Assign(font);
    String caption = "[untitled" + IntToStr(++UntitledCounter) + "]";
    Form.TabSheets[page]->SetCaption(caption);
    Form.FileNames[page] = caption;
    editor->Clear();
    ShowFreshPage(page);
    Form.UpdateStatusBar();
    Form.TellPageLoaded(page);
    Form.UpdateDocumentCommands();
    return page;
}

void TDocuments::FileOpenClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::FileOpenClick))
        return;
    Form.LeaveViewsOverPages();
    Form.AbortRequested = false;
    OpenDialog->SetInitialDir(Form.WorkingFolder());
    if (OpenDialog->Execute()) {
        for (int i = 0; i < OpenDialog->Files().Count() && !Form.AbortRequested; ++i)
            OpenDocument(OpenDialog->Files()[i], false, true, false);
    }
    Form.UpdateDocumentCommands();
    Form.AbortRequested = false;
}

void TDocuments::MRUMRUItemClick(TObject*, const String& FileName) {
    OpenDocument(FileName, false, true, false);
    Form.UpdateDocumentCommands();
}

// Each path is taken whole, whatever its length.
void TDocuments::OpenDroppedFiles(const std::vector<String>& paths) {
    for (const String& path : paths) {
        if (!IsTextFile(path)) {
            ShowMessage("Can only open HTML and text files in Quiltmarker");
            return;
        }
        OpenDocument(path, false, true, false);
    }
}

void TDocuments::WindowHook2AfterMessage(TObject* /*Sender*/, TMessage& Msg, bool& /*Handled*/) {
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

void TDocuments::TextFiles1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::TextFiles1Click))
        return;
    TDialogGuard<TTextFilesForm> dialog(TextFilesForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->ShowExtensions(ReadTextFileTypes());
    if (dialog.ShowModal() != mrOk)
        return;
    TextFileExtensions = WriteTextFileTypes(dialog->Extensions());
}

int TDocuments::OpenNamedFile(const String& fileName) {
    if (fileName.empty())
        return -1;
    if (!FileExists(fileName)) {
        MessageBox(Form.Handle(), fileName + " was not opened: there is no such file.",
                   "Quiltmarker", MB_OK | MB_ICONWARNING);
        return -1;
    }
    return OpenDocument(fileName, false, true, false);
}

// ---- Opening a file ----

bool TDocuments::IsTextFile(const String& fileName) const {
    String extension = LowerCase(ExtractFileExt(fileName));
    return !extension.empty() && Pos(extension, TextFileExtensions) > 0;
}

bool TDocuments::IsHTMLFile(const String& fileName) {
    String name = LowerCase(fileName);
    return Pos(".htm", name) > 0 || Pos(".shtm", name) > 0;
}

bool TDocuments::IsAutosaveCopy(const String& fileName) {
    return LowerCase(ExtractFileExt(fileName)) == ".htmtmp";
}

void TDocuments::ReportNotATextFile(const String& fileName) {
    MessageBox(Form.Handle(),
               fileName + " was not opened: only HTML and text files open in Quiltmarker.\r\n"
                          "Its type can be added to them under Preferences, Text Files.",
               "Quiltmarker", MB_OK | MB_ICONWARNING);
}

String TDocuments::ChooseTemplate() {
    OpenDialog->SetFilter(TemplateFilter);
    OpenDialog->SetInitialDir(Form.TemplateFolder);
    return OpenDialog->Execute() ? OpenDialog->FileName() : String();
}

int TDocuments::ReusedPage(const String& fileName, bool* found) {
    *found = false;
    for (int page = 0; page < THTMLEMainForm::PageCount; ++page) {
        if (!Form.PageInUse(page) || Form.FileNames[page] != fileName)
            continue;
        *found = true;
        Form.PageControl1->SetActivePage(Form.TabSheets[page]);
        bool revert = Form.GetMemo(page)->Modified() &&
                      MessageBox(Form.Handle(), "Revert to saved version?", "Quiltmarker",
                                 MB_YESNO | MB_ICONQUESTION) == IDYES;
        if (!revert)
            Form.PageControl1Change(Form.PageControl1);
        return revert ? page : -1;
    }
    return -1;
}

void TDocuments::ApplyWordWrapPreference(TRichEdit* editor) {
    SetPageWordWrap(editor, Form.On2->Checked());
}

void TDocuments::ShowFreshPage(int page) {
    TRichEdit* editor = Form.GetMemo(page);
    Form.TabSheets[page]->SetTabVisible(true);
    Form.PageControl1->SetActivePage(Form.TabSheets[page]);
    editor->SetModified(false);
    ApplyWordWrapPreference(editor);
    Form.StatusBar1->Panels().Items(THTMLEMainForm::ModifiedPanel)->SetText("");
    Form.PageControl1->SetVisible(true);
    Form.FocusActivePage();
}

// The name goes into the recent files before any test, as the user chose it. A file that cannot
// be read is reported and leaves the page it was meant for as it was, so a failed revert keeps
// the edited text.
int TDocuments::OpenDocument(const String& fileName, bool chooseTemplate, bool keepName,
                             bool anyExtension) {
    int target = Form.FirstFreePage();
    if (target < 0) {
        MessageBox(Form.Handle(),
                   "Sorry, can't open more than " + IntToStr(THTMLEMainForm::PageCount) +
                       " files at a time.",
                   "Quiltmarker", MB_OK | MB_ICONERROR);
        Form.AbortRequested = true;
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
    TRichEdit* editor = Form.GetMemo(target);
    editor->SetWordWrap(true);
    Form.ApplyEditorSettings(editor);
    try {
        editor->Lines().LoadFromFile(name);
    } catch (const Exception& error) {
        Application->ShowException(error);
        return -1;
    }
    TellMixedLineBreaks(Form.Handle(), *editor, name);
    ShowFreshPage(target);
    if (keepName) {
        Form.TabSheets[target]->SetCaption(displayName);
        Form.FileNames[target] = autosaveCopy ? String("[untitled]") : name;
    } else {
        Form.TabSheets[target]->SetCaption("[untitled" + IntToStr(++UntitledCounter) + "]");
        Form.FileNames[target] = "[untitled]";
    }
    Form.TellPageLoaded(target);
    Form.UpdateDocumentCommands();
    Form.UpdateStatusBar();
    return target;
}
