// Check Tags: the tag checker's window on the active page's saved file, and the page reloaded
// when the window saved that file.

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
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

void THTMLEMainForm::BuildTagChecking() {
    CheckTags1 = AddItem(this, MainPopupMenu->Items(), "CheckTags1", "Chec&k Tags...");
}

void THTMLEMainForm::BindTagChecking() {
    for (TMenuItem* item : {Validate1, Validatecurrentfile1, CheckTags1})
        item->OnClick = Handler(this, &THTMLEMainForm::Validate1Click);
}

void THTMLEMainForm::Validate1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Validate1Click) || !PageInUse(-1))
        return;
    const String path = FileNames[ActivePageIndex()];
    if (path.empty() || path[0] == '[' || !FileExists(path)) {
        ShowMessage("You must save the file before checking the tags.");
        return;
    }
    if (GlobalForm)
        GlobalForm->ResultText = path;
    MaxEditSize = CheckerTextLimit();
    TDialogGuard<TTagCheckForm> checker(TagCheckForm, TButtonLook::Unchanged);
    if (!checker || !checker->FileLoaded())
        return;
    if (MaxEditSize >= 0)
        checker->REFile->Perform(EM_EXLIMITTEXT, 0, MaxEditSize);
    checker.ShowModal();
    TRichEdit* editor = GetMemo(-1);
    if (!checker->FileSaved() || !editor || !MayReloadPage(Handle(), editor))
        return;
    editor->Lines().Clear();
    editor->Lines().LoadFromFile(path);
    editor->SetModified(false);
}
