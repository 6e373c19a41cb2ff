#include "generators/ImageMapCommand.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "generators/IMGMap.h"
#include "generators/ImageSelect.h"
#include "platform/Events.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

namespace {

// The user hears what the editor would leave out of the selected map; true to go on.
bool AcceptUnheld(const THTMLEMainForm& main, const std::vector<String>& unheld) {
    if (unheld.empty())
        return true;
    String text = "The image map editor cannot keep everything in this map:";
    for (const String& what : unheld)
        text += "\r\n- " + what;
    text += "\r\n\r\nEdit the map without them?";
    return MessageBox(main.Handle(), text, "Quiltmarker", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace

void TImageMapCommand::Bind() {
    Form.TagButtons->ImageMapButton->OnClick =
        Handler(this, &TImageMapCommand::ImageMapButtonClick);
}

// Nothing leaves the page until the map has been read whole and its image found, so every way
// out before that finds the page as it was.
int TImageMapCommand::ParseImageMap() {
    TRichEdit* editor = Form.GetMemo(-1);
    const String selection = editor->SelText();
    IMMainForm->SourceSelection = selection;
    TImageMapReading reading = ReadImageMap(selection);
    if (!reading.Read)
        return 1;
    String page = editor->Text();
    page.erase(static_cast<size_t>(editor->SelStart()), selection.size());
    String image;
    if (!FindMapImage(page, reading.Map.MapName, image)) {
        ShowMessage("Cannot find related image tag");
        return 0;
    }
    if (!AcceptUnheld(Form, reading.Unheld))
        return 0;
    editor->SetSelText("");
    static_cast<TImageMap&>(*IMMainForm) = reading.Map;
    ImageSelectForm->MapNameEdit->SetText(reading.Map.MapName);
    ImageSelectForm->ImageEdit->SetText(image);
    IMMainForm->WriteImgTag = false;
    return -1;
}

// The editor's OK puts its code in; any other way out leaves the page as it was, a map taken
// out of it put back in its place.
void TImageMapCommand::ImageMapButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ImageMapButtonClick) || !Form.AnyDocumentOpen())
        return;
    TDialogGuard<TImageSelectForm> select(ImageSelectForm, TButtonLook::FromSetting);
    if (!select)
        return;
    TDialogGuard<TIMMainForm> mapEditor(IMMainForm, TButtonLook::FromSetting);
    if (!mapEditor)
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    const bool modified = editor->Modified();
    mapEditor->WriteImgTag = true;
    const int parsed = ParseImageMap();
    if (parsed == 0)
        return;
    if (select.ShowModal() == mrOk) {
        Form.TagInsertion->InsertWhole(mapEditor->Memo->Text(), "", 0);
        return;
    }
    if (parsed == -1)
        editor->SetSelText(mapEditor->SourceSelection);
    editor->SetModified(modified);
}
