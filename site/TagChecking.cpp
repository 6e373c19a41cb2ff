#include "site/TagChecking.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/Documents.h"
#include "editor/ElementNavigation.h"
#include "editor/HelpPointer.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/Menus.h"
#include "platform/RichEdit.h"
#include "services/ProgramSettings.h"
#include "site/TagCheckForm.h"
#include "tags/HTMLGlobal.h"

namespace {

// The text limit the checker's editor gets: 64000 unless the settings give another, read as the
// editor's own settings read it, so text that is no number never stops the command.
int CheckerTextLimit() {
    int limit = 64000;
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(ProductKey))
        return limit;
    String text;
    int number = 0;
    if (ReadSetting(reg, "MaxEditSize", text))
        limit = StrToIntDef(text, 0);
    else if (ReadSetting(reg, "MaxEditSize", number))
        limit = number;
    return limit;
}

// Whether the page may be reloaded from the file the checker saved: a page with changes of its
// own keeps them unless the user agrees to lose them.
bool MayReloadPage(HWND owner, TRichEdit* editor) {
    if (!editor->Modified())
        return true;
    return MessageBox(owner,
                      "The tag checker saved the file, but this page has changes that are not "
                      "saved.\r\nReload the page from the file and lose those changes?",
                      "Quiltmarker", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace

void TTagChecking::Build() {
    Validatecurrentfile1 = InsertItem(&Form, Form.File1, Form.Documents->Close1->MenuIndex(),
                                      "Validatecurrentfile1", "Chec&k Tags (current file)");
    Validate1 =
        InsertItem(&Form, Form.Tools1, Form.Publish1->MenuIndex(), "Validate1", "&Validate");
    TMenuItem* popup = Form.MainPopupMenu->Items();
    CheckTags1 = InsertItem(&Form, popup, Form.ElementNavigation->GoToLine1->MenuIndex() + 1,
                            "CheckTags1", "Chec&k Tags...");
}

void TTagChecking::Bind() {
    for (TMenuItem* item : {Validate1, Validatecurrentfile1, CheckTags1})
        item->OnClick = Handler(this, &TTagChecking::Validate1Click);
}

void TTagChecking::UpdateCommands() {
    for (TMenuItem* item : {Validate1, Validatecurrentfile1})
        item->SetEnabled(Form.DocumentCommandsEnabled());
}

void TTagChecking::Validate1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Validate1Click) || !Form.PageInUse(-1))
        return;
    const String path = Form.FileNames[Form.ActivePageIndex()];
    if (path.empty() || path[0] == '[' || !FileExists(path)) {
        ShowMessage("You must save the file before checking the tags.");
        return;
    }
    if (GlobalForm)
        GlobalForm->ResultText = path;
    Form.MaxEditSize = CheckerTextLimit();
    TDialogGuard<TTagCheckForm> checker(TagCheckForm, TButtonLook::Unchanged);
    if (!checker || !checker->FileLoaded())
        return;
    if (Form.MaxEditSize >= 0)
        checker->REFile->Perform(EM_EXLIMITTEXT, 0, Form.MaxEditSize);
    checker.ShowModal();
    TRichEdit* editor = Form.GetMemo(-1);
    if (!checker->FileSaved() || !editor || !MayReloadPage(Form.Handle(), editor))
        return;
    editor->Lines().Clear();
    editor->Lines().LoadFromFile(path);
    editor->SetModified(false);
}
