// The mouse-over button: its images, copied from a preset set beside the page or named by the
// user, declared in one shared head script that numbers the page's buttons.

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/TagColouring.h"
#include "generators/HTMLMouseOverForm.h"
#include "generators/ScriptBlocks.h"
#include "generators/ScriptCommands.h"
#include "platform/CommonDialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileUtils.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "services/JCopy.h"
#include "site/FilePane.h"
#include "widgets/QmFilSys.h"

namespace {

const String PresetQuestion =
    "You will need to have the preset images in the same folder\r\nas the HTML file. If you "
    "decide not to copy the files you will\r\nnot be able to install the JavaScript. Do you want "
    "to copy the\r\npreset image files?";

const String DamagedMouseOverMessage = "Cannot insert the new code. Can't find position in script";

String PresetName(int set, const String& kind) {
    return "psbtn" + IntToStr(set) + kind + ".gif";
}

TChangeOn ChangeOnOf(const TMouseOverForm& dialog) {
    return static_cast<TChangeOn>(dialog.ChangeGroup->ItemIndex());
}

} // namespace

// A copy the shell reports as done is checked on disk too, so the page never refers to an image
// that is not there without the user hearing of it.
bool TScriptCommands::CopyPresetImage(const String& source, const String& target,
                                      const String& failure) {
    TJCopy* copy = Form.FilePane->JCopy1;
    copy->SetFileCommand(cmCopy);
    copy->SetConfirmFiles(true);
    copy->SetFileMaskFrom(source);
    copy->SetFileMaskTo(target);
    copy->SetShowProgress(false);
    copy->SetFileOverwrite(true);
    if (copy->Execute() || !FileExists(target)) {
        ShowMessage(failure);
        return false;
    }
    return true;
}

bool TScriptCommands::CopyPresetButtonImages(const String& folder, int index) {
    const int set = index + 1;
    const String from = IncludeTrailingPathDelimiter(Form.ProgramFolder);
    const String to = IncludeTrailingPathDelimiter(folder);
    const String up = PresetName(set, "up");
    const String down = PresetName(set, "dn");
    const String on = PresetName(set, "on");
    if (!FileExists(to + up) || !FileExists(to + down)) {
        if (Application->MessageBox(PresetQuestion, "Quiltmarker", MB_YESNO | MB_ICONQUESTION) !=
            IDYES)
            return false;
        if (!CopyPresetImage(from + up, to + up,
                             "Error copying first image file - aborting JavaScript insertion"))
            return false;
    }
    if (!FileExists(to + down) &&
        !CopyPresetImage(from + down, to + down,
                         "Error copying second image file - aborting JavaScript insertion"))
        return false;
    return FileExists(to + on) ||
           CopyPresetImage(from + on, to + on,
                           "Error copying third file - aborting JavaScript insertion");
}

void TScriptCommands::MouseOverButton1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::MouseOverButton1Click) || !Form.AnyDocumentOpen())
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    TDialogGuard<TMouseOverForm> dialog(MouseOverForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->OpenDialog->SetInitialDir(Form.FilePane->DirectoryListBox1->Directory());
    if (dialog.ShowModal() != mrOk)
        return;
    const String folder = PageFolder();
    TPageText page{editor->Text(), editor->SelStart()};
    const bool extending = HasMouseOverScript(page.Text);
    // A damaged script is told before any file is copied.
    if (extending && !MouseOverScriptIsWhole(page.Text)) {
        ShowMessage(DamagedMouseOverMessage);
        return;
    }
    String up = dialog->NormalImageEdit->Text();
    String down = dialog->OverImageEdit->Text();
    String on = dialog->OnImageEdit->Text().empty() ? down : dialog->OnImageEdit->Text();
    const int preset = dialog->ImageGroup->ItemIndex();
    if (preset >= 0 && preset <= 2) {
        if (!CopyPresetButtonImages(folder, preset))
            return;
        up = folder + PresetName(preset + 1, "up");
        down = folder + PresetName(preset + 1, "dn");
        on = folder + PresetName(preset + 1, "on");
    }
    const TButtonImages images{PathRelativeToPage(up, ""), PathRelativeToPage(down, ""),
                               PathRelativeToPage(on, "")};
    int button = 1;
    if (extending)
        button = ExtendMouseOverScript(page, images);
    else
        InsertMouseOverScript(page, images);
    String imageTag = MakeImageTag(up, dialog->AltTextEdit->Text(), true);
    imageTag.pop_back();
    const String body =
        MouseOverBody({button, dialog->URLEdit->Text(), ChangeOnOf(*dialog), imageTag,
                       dialog->LinkTextEdit->Text(), dialog->TextIsLinkCheck->Checked()});
    const int bodyStart = page.Caret;
    page.InsertAt(static_cast<size_t>(bodyStart), body, true);
    ShowPage(editor, page);
    if (Form.ColouredTags)
        Form.TagColouring->ColourTagRange(bodyStart, static_cast<int>(body.size()));
    editor->Refresh();
    FinishPageChange(editor);
}
