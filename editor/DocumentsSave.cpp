// Saving documents: Save and Save As of a page or of what a feature shows in the pages' place,
// and the routine every command writes a page through.
//
// A write goes through a temporary file and a rename, so a failed write leaves the old file
// whole; the failure is shown and the page keeps its name, caption and modified flag.

#include "editor/Documents.h"

#include "editor/CorvaletForm.h"

#include "platform/CommonDialogs.h"
#include "platform/FileUtils.h"
#include "services/MRULiss.h"
#include "widgets/QmFilSys.h"

void TDocuments::Save1Click(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::Save1Click))
        SaveActiveDocument();
}

void TDocuments::FileSaveButtonClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::FileSaveButtonClick))
        SaveActiveDocument();
}

void TDocuments::SaveActiveDocument() {
    if (Form.RunOnShownView(TMainFormFeature::TShownViewCommand::Save))
        return;
    SaveDocument(Form.ActivePageIndex(), false, false);
    if (Form.PageInUse(-1) && Form.GetMemo(-1)->CanFocus())
        Form.GetMemo(-1)->SetFocus();
}

void TDocuments::SaveAs1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::SaveAs1Click))
        return;
    if (!Form.RunOnShownView(TMainFormFeature::TShownViewCommand::SaveAs))
        SaveDocument(Form.ActivePageIndex(), true, false);
}

bool TDocuments::WriteEditorText(TRichEdit* editor, const String& path) {
    try {
        editor->Lines().SaveToFile(path);
    } catch (const Exception& error) {
        Application->ShowException(error);
        return false;
    }
    return true;
}

String TDocuments::WithDefaultExtension(const String& path) const {
    return Pos(".", ExtractFileName(path)) == 0 ? path + "." + Form.DefaultExtension : path;
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

String TDocuments::AskSaveName(int page, bool asTemplate) {
    String proposed = ProposedName(Form.TabSheets[page]->Caption(), Form.DefaultExtension);
    SaveDialog->SetInitialDir(Form.WorkingFolder());
    SaveDialog->SetFilterIndex(1);
    SaveDialog->SetDefaultExt(Form.DefaultExtension);
    if (asTemplate) {
        SaveDialog->SetDefaultExt("htt");
        SaveDialog->SetFilterIndex(2);
        SaveDialog->SetInitialDir(Form.TemplateFolder);
        proposed = WithoutExtension(proposed) + ".htt";
    }
    SaveDialog->SetFileName(proposed);
    bool chosen = SaveDialog->Execute();
    SaveDialog->SetDefaultExt("");
    return chosen ? SaveDialog->FileName() : String();
}

void TDocuments::DeleteAutosaveCopy(int page) {
    if (!Form.AutosaveNames[page].empty() && FileExists(Form.AutosaveNames[page]))
        DeleteFile(Form.AutosaveNames[page]);
    Form.AutosaveNames[page].clear();
}

bool TDocuments::WriteDocument(int page, const String& path) {
    TRichEdit* editor = Form.GetMemo(page);
    if (!WriteEditorText(editor, path))
        return false;
    DeleteAutosaveCopy(page);
    editor->SetModified(false);
    Form.StatusBar1->Panels().Items(THTMLEMainForm::ModifiedPanel)->SetText("");
    return true;
}

// The page's name as chosen in the dialog is kept as typed, with the default extension when its
// file name has no "." (a dot in a folder's name does not count).
bool TDocuments::SaveDocument(int page, bool saveAs, bool asTemplate) {
    if (page < 0)
        page = Form.ActivePageIndex();
    if (page < 0 || page >= THTMLEMainForm::PageCount || !Form.PageInUse(page))
        return true;
    TTabSheet* sheet = Form.TabSheets[page];
    // A recovered page whose own file is not known has a caption but no file: it is named in the
    // dialog, never written to a file made up from its caption.
    bool hasFile = !THTMLEMainForm::IsUntitled(sheet->Caption()) &&
                   !THTMLEMainForm::IsUntitled(Form.FileNames[page]);
    if (hasFile && !saveAs) {
        if (!WriteDocument(page, Form.FileNames[page]))
            return false;
        sheet->SetCaption(ExtractFileName(Form.FileNames[page]));
        Form.UpdateStatusBar();
        return true;
    }
    String chosen = AskSaveName(page, asTemplate);
    if (chosen.empty())
        return false;
    String path = WithDefaultExtension(chosen);
    if (!WriteDocument(page, path))
        return false;
    sheet->SetCaption(ExtractFileName(path));
    Form.FileNames[page] = path;
    for (const auto& feature : Form.Features())
        feature->FileSaved(path);
    if (IsHTMLFile(path))
        MRU->AddToTop(path);
    Form.UpdateStatusBar();
    return true;
}
