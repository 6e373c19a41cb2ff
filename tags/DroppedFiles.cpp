// Files dragged from the file list onto a page: a page becomes a link, an image an IMG tag with
// its size, sound and video an EMBED tag, anything else its bare URL, relative to the page.

#include "editor/CorvaletForm.h"

#include "editor/DialogGuard.h"
#include "editor/HTMLLocationForm.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
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

void THTMLEMainForm::BindDroppedFiles() {
    for (TRichEdit* editor : Memos)
        DragManager::SetDropTarget(*editor, Handler(this, &THTMLEMainForm::Memo1DragOver),
                                   Handler(this, &THTMLEMainForm::Memo1DragDrop));
}

void THTMLEMainForm::Memo1DragOver(TObject* /*Sender*/, TObject* /*Source*/, int /*X*/, int /*Y*/,
                                   TDragState /*State*/, bool& Accept) {
    Accept = true;
    if (TRichEdit* editor = GetMemo(-1); editor && editor->CanFocus())
        editor->SetFocus();
    Screen->SetCursor(crDrag);
}

void THTMLEMainForm::Memo1DragDrop(TObject* /*Sender*/, TObject* Source, int X, int Y) {
    if (Source == FileListBox1 && PageInUse(-1) && !FileListBox1->FileName().empty()) {
        ClickEditorAt(GetMemo(-1), X, Y);
        auto [start, end] = DroppedFileTexts(FileListBox1->FileName());
        TagInsertion->InsertTag(start, end, 0);
    }
    Screen->SetCursor(crDefault);
}

// The release goes through the editor's own handlers, so the last press's state is the drop's:
// the left button, and Alt when it is held.
void THTMLEMainForm::ClickEditorAt(TRichEdit* editor, int x, int y) {
    if (editor->CanFocus())
        editor->SetFocus();
    LPARAM point = MAKELPARAM(x, y);
    editor->SetSelStart(static_cast<int>(editor->Perform(EM_CHARFROMPOS, 0, point)));
    editor->Perform(WM_LBUTTONDOWN, MK_LBUTTON, point);
    editor->Perform(WM_LBUTTONUP, MK_LBUTTON, point);
}

std::pair<String, String> THTMLEMainForm::DroppedFileTexts(const String& path) {
    String url = GlobalForm->RelativeURL(path, ExtractFilePath(ActiveFileName()));
    String name = LowerCase(ExtractFileName(path));
    if (NameHolds(name, {".htm", ".shtml"}))
        return {"<A HREF=\"" + url + "\">", "</A>"};
    if (ImageSizeReaderFor(name))
        return {DroppedImageTag(path, url, name), ""};
    if (NameHolds(name, {".wav", ".mid", ".avi", ".rm"}))
        return {"<EMBED SRC=\"" + url + "\">", ""};
    return {url, ""};
}

String THTMLEMainForm::DroppedImageTag(const String& path, const String& url, const String& name) {
    String tag = "<IMG SRC=\"" + url + "\" ALT=\"";
    if (AskForAltData) {
        TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
        if (dialog && SetupLocationForm("", "", "Alternative text for image", false, false) &&
            dialog.ShowModal() == mrOk)
            tag += dialog->LocEdit->Text();
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
