// Templates and the framework document.
//
// The framework document is read whole: Save As Framework Document writes a whole page, so a
// framework document saved from a long page must come back with its end, not cut off after its
// first kilobyte.

#include "editor/Templates.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/Documents.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "services/ProgramSettings.h"
#include "widgets/FBrowse.h"

namespace {

const char* const FrameworkFileName = "framewk.htm";

// The file's text up to its first NUL; empty when there is no file or it cannot be read.
String ReadFrameworkText(const String& fileName) {
    String text;
    try {
        text = ReadFileBytes(fileName);
    } catch (const Exception&) {
        return String();
    }
    return AdjustLineBreaks(text.substr(0, text.find('\0')));
}

// The same folder, however it was written: with or without its last separator, or through "..".
bool SameFolder(const String& one, const String& other) {
    return ExcludeTrailingPathDelimiter(ExpandFileName(one)) ==
           ExcludeTrailingPathDelimiter(ExpandFileName(other));
}

} // namespace

void TTemplates::Build() {
    TDocuments& documents = *Form.Documents;
    Template1 = AddItem(&Form, documents.New1, "Template1", "From &Template...");
    OpenTemplate = AddItem(&Form, documents.Open1, "OpenTemplate", "&Template...");
    const int afterSaveAs = documents.SaveAs1->MenuIndex() + 1;
    SaveAsTemplate =
        InsertItem(&Form, Form.File1, afterSaveAs, "SaveAsTemplate", "Save As &Template...");
    SaveAsFrameworkDocument1 =
        InsertItem(&Form, Form.File1, afterSaveAs + 1, "SaveAsFrameworkDocument1",
                   "Save As &Framework Document");
    TemplateFolder1 = AddItem(&Form, Form.Setup1, "TemplateFolder1", "&Template Folder...");
}

void TTemplates::Bind() {
    Template1->OnClick = Handler(this, &TTemplates::Template1Click);
    OpenTemplate->OnClick = Handler(this, &TTemplates::OpenTemplateClick);
    SaveAsTemplate->OnClick = Handler(this, &TTemplates::SaveAsTemplateClick);
    SaveAsFrameworkDocument1->OnClick = Handler(this, &TTemplates::SaveAsFrameworkDocument1Click);
    TemplateFolder1->OnClick = Handler(this, &TTemplates::TemplateFolder1Click);
}

void TTemplates::UpdateCommands() {
    const bool enabled = Form.DocumentCommandsEnabled();
    SaveAsTemplate->SetEnabled(enabled);
    SaveAsFrameworkDocument1->SetEnabled(enabled);
}

void TTemplates::MenuOpening(TMenuItem& menu) {
    if (&menu == Form.File1)
        SaveAsTemplate->SetEnabled(Form.PageCommandsOffered());
}

// ---- Templates ----

// The template's text makes an untitled page, so Save never writes over the template.
void TTemplates::Template1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Template1Click))
        return;
    Form.Documents->OpenDocument("", true, false, false);
    Form.UpdateDocumentCommands();
}

void TTemplates::OpenTemplateClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::OpenTemplateClick))
        return;
    Form.Documents->OpenDocument("", true, true, false);
    Form.UpdateDocumentCommands();
}

void TTemplates::SaveAsTemplateClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::SaveAsTemplateClick))
        Form.Documents->SaveDocument(Form.ActivePageIndex(), true, true);
}

void TTemplates::TemplateFolder1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::TemplateFolder1Click))
        return;
    TFolderBrowse& browser = *Form.FolderBrowse1;
    browser.SetDirectory(Form.TemplateFolder);
    browser.SetTitle("Select Template Folder");
    if (!browser.Execute(FolderBrowserOwner))
        return;
    const String chosen = browser.Directory();
    if (!Form.TemplateFolder.empty() && !SameFolder(Form.TemplateFolder, chosen))
        MoveGlossaryFile(Form.TemplateFolder, chosen);
    Form.TemplateFolder = chosen;
    TRegistry reg;
    reg.OpenKey(ProductKey, true);
    reg.WriteString("TemplateFolder", chosen);
}

void TTemplates::MoveGlossaryFile(const String& oldFolder, const String& newFolder) {
    const String from = IncludeTrailingPathDelimiter(oldFolder) + GlossaryIndexName;
    if (!FileExists(from))
        return;
    const String to = IncludeTrailingPathDelimiter(newFolder) + GlossaryIndexName;
    if (CopyFile(from, to, false))
        DeleteFile(from);
    else
        MessageBox(Form.Handle(),
                   "The glossary file could not be copied to " + to + ".\r\nIt stays in " + from +
                       ".",
                   "Quiltmarker", MB_OK | MB_ICONWARNING);
}

// ---- The framework document ----

String TTemplates::FrameworkDocumentName() const {
    return Form.ProgramFolder + FrameworkFileName;
}

std::pair<String, String> TTemplates::FrameworkDocumentParts() const {
    const String text = ReadFrameworkText(FrameworkDocumentName());
    if (text.empty()) {
        const String& tab = Form.AutoInsertTab;
        return {"<HTML>\r\n<HEAD>\r\n" + tab + "<TITLE>\r\n\r\n" + tab + "</TITLE>\r\n" +
                    "</HEAD>\r\n\r\n<BODY>\r\n",
                "\r\n</BODY>\r\n</HTML>"};
    }
    const int body = Pos("<BODY", UpperCase(text));
    if (body == 0)
        return {text, String()};
    const size_t close = text.find('>', static_cast<size_t>(body - 1));
    const size_t headLength = close == String::npos ? text.size() : close + 1;
    return {text.substr(0, headLength) + "\r\n", text.substr(headLength)};
}

// The page keeps its own name, caption and modified flag: the framework document is a copy.
void TTemplates::SaveAsFrameworkDocument1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::SaveAsFrameworkDocument1Click) || !Form.PageInUse(-1))
        return;
    const String path = FrameworkDocumentName();
    if (MessageBox(Form.Handle(),
                   "Save this file as your new 'framework' document,\r\n     '" + path + "'?",
                   "Quiltmarker", MB_YESNO | MB_ICONQUESTION) == IDYES)
        TDocuments::WriteEditorText(Form.GetMemo(-1), path);
}
