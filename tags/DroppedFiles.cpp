#include "tags/DroppedFiles.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/HTMLLocationForm.h"
#include "platform/Events.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "site/FilePane.h"
#include "tags/DialogAttributes.h"
#include "tags/HTMLGlobal.h"
#include "tags/TagInsertion.h"

namespace {

// The name holds any of the extensions, anywhere.
bool NameHolds(const String& name, std::initializer_list<const char*> extensions) {
    for (const char* extension : extensions)
        if (name.find(extension) != String::npos)
            return true;
    return false;
}

} // namespace

// Every page's editor takes the drops.
void TDroppedFiles::Bind() {
    for (TRichEdit* editor : Form.Memos)
        DragManager::SetDropTarget(*editor, Handler(this, &TDroppedFiles::Memo1DragOver),
                                   Handler(this, &TDroppedFiles::Memo1DragDrop));
}

void TDroppedFiles::Memo1DragOver(TObject* /*Sender*/, TObject* /*Source*/, int /*X*/, int /*Y*/,
                                  TDragState /*State*/, bool& Accept) {
    Accept = true;
    if (TRichEdit* editor = Form.GetMemo(-1); editor && editor->CanFocus())
        editor->SetFocus();
    Screen->SetCursor(crDrag);
}

void TDroppedFiles::Memo1DragDrop(TObject* /*Sender*/, TObject* Source, int X, int Y) {
    if (Source == Form.FilePane->FileListBox1 && Form.PageInUse(-1) &&
        !Form.FilePane->FileListBox1->FileName().empty()) {
        ClickEditorAt(Form.GetMemo(-1), X, Y);
        auto [start, end] = DroppedFileTexts(Form.FilePane->FileListBox1->FileName());
        Form.TagInsertion->InsertTag(start, end, 0);
    }
    Screen->SetCursor(crDefault);
}

// The release goes through the editor's own handlers, so the last press's state is the drop's:
// the left button, and Alt when it is held.
void TDroppedFiles::ClickEditorAt(TRichEdit* editor, int x, int y) {
    if (editor->CanFocus())
        editor->SetFocus();
    LPARAM point = MAKELPARAM(x, y);
    editor->SetSelStart(static_cast<int>(editor->Perform(EM_CHARFROMPOS, 0, point)));
    editor->Perform(WM_LBUTTONDOWN, MK_LBUTTON, point);
    editor->Perform(WM_LBUTTONUP, MK_LBUTTON, point);
}

std::pair<String, String> TDroppedFiles::DroppedFileTexts(const String& path) {
    String url = GlobalForm->RelativeURL(path, ExtractFilePath(Form.ActiveFileName()));
    String name = LowerCase(ExtractFileName(path));
    if (NameHolds(name, {".htm", ".shtml"}))
        return {"<A HREF=\"" + QuotedValue(url) + "\">", "</A>"};
    if (ImageSizeReaderFor(name))
        return {DroppedImageTag(path, url, name), ""};
    if (NameHolds(name, {".wav", ".mid", ".avi", ".rm"}))
        return {"<EMBED SRC=\"" + QuotedValue(url) + "\">", ""};
    return {url, ""};
}

String TDroppedFiles::DroppedImageTag(const String& path, const String& url, const String& name) {
    String tag = "<IMG SRC=\"" + QuotedValue(url) + "\" ALT=\"";
    if (Form.AskForAltData) {
        TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
        if (dialog && Form.SetupLocationForm("", "", "Alternative text for image", false, false) &&
            dialog.ShowModal() == mrOk)
            tag += QuotedValue(dialog->LocEdit->Text());
    }
    tag += "\"";
    // A size that cannot be read is left out, and the reader's message shown once.
    TImageSizeReader reader = ImageSizeReaderFor(name);
    String width = (GlobalForm->*reader)(path, 'W');
    String height = width == "0" ? String("0") : (GlobalForm->*reader)(path, 'H');
    if (width != "0" && height != "0")
        tag += " WIDTH=" + width + " HEIGHT=" + height;
    return tag + " BORDER=0>";
}
