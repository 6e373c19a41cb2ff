// Saving documents: Save and Save As of a page or of what a feature shows in the pages' place,
// and the routine every command writes a page through.
//
// A write goes through a temporary file and a rename, so a failed write leaves the old file
// whole; the failure is shown and the page keeps its name, caption and modified flag.

#include "editor/CorvaletForm.h"

#include "platform/FileUtils.h"
#include "services/MRULiss.h"
#include "widgets/QmFilSys.h"

void THTMLEMainForm::Save1Click(TObject* /*Sender*/) {
    if (!HandleHelpPointer(HelpContexts::Save1Click))
        SaveActiveDocument();
}

void THTMLEMainForm::FileSaveButtonClick(TObject* /*Sender*/) {
    if (!HandleHelpPointer(HelpContexts::FileSaveButtonClick))
        SaveActiveDocument();
}

void THTMLEMainForm::SaveActiveDocument() {
    if (RunOnShownView(TMainFormFeature::TShownViewCommand::Save))
        return;
    SaveDocument(ActivePageIndex(), false, false);
    if (PageInUse(-1) && GetMemo(-1)->CanFocus())
        GetMemo(-1)->SetFocus();
}

void THTMLEMainForm::SaveAs1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::SaveAs1Click))
        return;
    if (!RunOnShownView(TMainFormFeature::TShownViewCommand::SaveAs))
        SaveDocument(ActivePageIndex(), true, false);
}

bool THTMLEMainForm::WriteEditorText(TRichEdit* editor, const String& path) {
    try {
        editor->Lines().SaveToFile(path);
    } catch (const Exception& error) {
        Application->ShowException(error);
        return false;
    }
    return true;
}

String THTMLEMainForm::WithDefaultExtension(const String& path) const {
    return Pos(".", ExtractFileName(path)) == 0 ? path + "." + DefaultExtension : path;
}

namespace {

// "[untitled3]" with "html" gives "untitled3.html"; a titled caption stays as it is.
String ProposedName(const String& caption, const String& extension) {
    String name = caption;
    if (!caption.empty() && caption[0] == '[') {
        name = Copy(caption, 2, static_cast<int>(caption.size()) - 2);
        if (int dot = Pos(".", name); dot > 0)
            name = Copy(name, 1, dot - 1);
        name += "." + extension;
    }
    if (!name.empty() && name.back() == ']')
        name.pop_back();
    return name;
}

String WithoutExtension(const String& name) {
    int dot = Pos(".", name);
    return dot > 0 ? Copy(name, 1, dot - 1) : name;
}

} // namespace

String THTMLEMainForm::AskSaveName(int page, bool asTemplate) {
    String proposed = ProposedName(TabSheets[page]->Caption(), DefaultExtension);
    SaveDialog->SetInitialDir(WorkingFolder());
    SaveDialog->SetFilterIndex(1);
    SaveDialog->SetDefaultExt(DefaultExtension);
    if (asTemplate) {
        SaveDialog->SetDefaultExt("htt");
        SaveDialog->SetFilterIndex(2);
        SaveDialog->SetInitialDir(TemplateFolder);
        proposed = WithoutExtension(proposed) + ".htt";
    }
    SaveDialog->SetFileName(proposed);
    bool chosen = SaveDialog->Execute();
    SaveDialog->SetDefaultExt("");
    return chosen ? SaveDialog->FileName() : String();
}

void THTMLEMainForm::DeleteAutosaveCopy(int page) {
    if (!AutosaveNames[page].empty() && FileExists(AutosaveNames[page]))
        DeleteFile(AutosaveNames[page]);
    AutosaveNames[page].clear();
}

bool THTMLEMainForm::WriteDocument(int page, const String& path) {
    TRichEdit* editor = GetMemo(page);
    if (!WriteEditorText(editor, path))
        return false;
    DeleteAutosaveCopy(page);
    editor->SetModified(false);
    StatusBar1->Panels().Items(ModifiedPanel)->SetText("");
    return true;
}

// The page's name as chosen in the dialog is kept as typed, with the default extension when its
// file name has no "." (a dot in a folder's name does not count).
bool THTMLEMainForm::SaveDocument(int page, bool saveAs, bool asTemplate) {
    if (page < 0)
        page = ActivePageIndex();
    if (page < 0 || page >= PageCount || !PageInUse(page))
        return true;
    TTabSheet* sheet = TabSheets[page];
    // A recovered page whose own file is not known has a caption but no file: it is named in the
    // dialog, never written to a file made up from its caption.
    bool hasFile = !IsUntitled(sheet->Caption()) && !IsUntitled(FileNames[page]);
    if (hasFile && !saveAs) {
        if (!WriteDocument(page, FileNames[page]))
            return false;
        sheet->SetCaption(ExtractFileName(FileNames[page]));
        UpdateStatusBar();
        return true;
    }
    String chosen = AskSaveName(page, asTemplate);
    if (chosen.empty())
        return false;
    String path = WithDefaultExtension(chosen);
    if (!WriteDocument(page, path))
        return false;
    sheet->SetCaption(ExtractFileName(path));
    FileNames[page] = path;
    for (const auto& feature : FFeatures)
        feature->FileSaved(path);
    if (IsHTMLFile(path))
        MRU->AddToTop(path);
    UpdateStatusBar();
    return true;
}
