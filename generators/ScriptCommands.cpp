#include "generators/ScriptCommands.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/HTMLLocationForm.h"
#include "editor/TagColouring.h"
#include "generators/HTMLDropLink.h"
#include "generators/HTMLNewButtonScript.h"
#include "generators/ScriptBlocks.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/FileUtils.h"
#include "platform/Menus.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "platform/WinHelp.h"
#include "site/FilePane.h"
#include "tags/DialogAttributes.h"
#include "tags/HTMLGlobal.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmToolbars.h"
#include "widgets/ToolEdit.h"

namespace {

// The size reader for the kinds the script wizards know: GIF, JPEG and PNG.
TImageSizeReader ScriptImageReader(const String& fileName) {
    const String lower = LowerCase(fileName);
    if (lower.find(".gif") != String::npos)
        return &TGlobalForm::GetGifSize;
    if (lower.find(".jpg") != String::npos)
        return &TGlobalForm::GetJpegSize;
    if (lower.find(".png") != String::npos)
        return &TGlobalForm::GetPngSize;
    return nullptr;
}

int ImageSize(TImageSizeReader reader, const String& fileName, char selector) {
    return reader ? StrToIntDef((GlobalForm->*reader)(fileName, selector), 0) : 0;
}

} // namespace

void TScriptCommands::Build() {
    ScriptsMenu = NewComponent<TPopupMenu>(&Form, "ScriptsMenu");
    TMenuItem* items = ScriptsMenu->Items();
    DropDownLinksMenu1 = AddItem(&Form, items, "DropDownLinksMenu1", "DropDown Links Menu");
    DropDownLinksMenu1->SetHelpContext(HelpContexts::DropLinkButtonClick);
    Newimagebodycode1 = AddItem(&Form, items, "Newimagebodycode1", "Time-limited Image");
    Newimagebodycode1->SetHelpContext(HelpContexts::Newimage1Click);
    MouseOverButton1 = AddItem(&Form, items, "MouseOverButton1", "\"MouseOver\" Button");
    MouseOverButton1->SetHelpContext(HelpContexts::MouseOverButton1Click);
    LastModifiedDate1 = AddItem(&Form, items, "LastModifiedDate1", "\"Last Modified\" Date");
    LastModifiedDate1->SetHelpContext(HelpContexts::LastModifiedDate1Click);
    N29 = AddItem(&Form, items, "N29", "-");
    Help2 = AddItem(&Form, items, "Help2", "&Help on Scripts");
    Help2->SetHelpContext(HelpContexts::ScriptsMenuButtonClick);
    Form.TagButtons->ScriptsMenuButton->SetDropdownMenu(ScriptsMenu);
}

void TScriptCommands::Bind() {
    DropDownLinksMenu1->OnClick = Handler(this, &TScriptCommands::DropLinkButtonClick);
    Newimagebodycode1->OnClick = Handler(this, &TScriptCommands::Newimage1Click);
    MouseOverButton1->OnClick = Handler(this, &TScriptCommands::MouseOverButton1Click);
    LastModifiedDate1->OnClick = Handler(this, &TScriptCommands::LastModifiedDate1Click);
    Help2->OnClick = Handler(this, &TScriptCommands::Help2Click);
}

String TScriptCommands::PageFolder() const {
    return DialogPageFolder(Form);
}

String TScriptCommands::PathRelativeToPage(const String& fileName, const String& folder) const {
    return GlobalForm->RelativeURL(fileName, folder.empty() ? PageFolder() : folder);
}

// An untitled page refers to the image by its bare name: the image's own folder stands in for
// the page's.
String TScriptCommands::MakeImageTag(const String& fileName, const String& altText,
                                     bool withStart) const {
    const String pageFile = Form.ActiveFileName();
    const String folder = pageFile.empty() ? ExtractFilePath(fileName) : ExtractFilePath(pageFile);
    String tag = withStart ? "<IMG" : "";
    tag += " SRC=\"" + PathRelativeToPage(fileName, folder) + "\" ALT=\"" + altText + "\"";
    if (TImageSizeReader reader = ScriptImageReader(fileName)) {
        const int width = ImageSize(reader, fileName, 'W');
        if (width > 0)
            tag += " WIDTH=" + IntToStr(width);
        const int height = ImageSize(reader, fileName, 'H');
        if (height > 0)
            tag += " HEIGHT=" + IntToStr(height);
    }
    return tag + " BORDER=0>";
}

void TScriptCommands::ShowPage(TRichEdit* editor, const TPageText& page) {
    editor->SetText(page.Text);
    editor->SetSelStart(page.Caret);
    Form.ScrollToCaret(editor, -1);
}

// Recolouring keeps the view, so the caret is brought into view once the colours are done.
void TScriptCommands::FinishPageChange(TRichEdit* editor) {
    if (Form.ColouredTags)
        Form.TagColouring->ColourAllTags(false);
    Form.ScrollToCaret(editor, -1);
    Form.UpdateStatusBar();
}

void TScriptCommands::Help2Click(TObject* /*Sender*/) {
    WinHelp(Form.Handle(), Form.HelpFileName, HELP_CONTEXT, HelpContexts::ScriptsMenuButtonClick);
}

// ---- Drop-down links menu ----

namespace {

String MenuColour(TColor colour) {
    const String digits = GlobalForm->ColourToHex(colour);
    const String name = GlobalForm->ColourNameOfHex("#" + digits);
    return "\"" + (name.empty() ? "#" + digits : name) + "\"";
}

TDropMenu MenuOf(const TDropLinkForm& dialog, int number, const String& imageTag) {
    TDropMenu menu;
    menu.Activation = static_cast<TDropActivation>(dialog.ButtonGroup->ItemIndex());
    menu.FormName = "FormList" + IntToStr(number);
    menu.MenuName = dialog.LinkNameEdit->Text();
    menu.NewWindow = dialog.NewWindowCheck->Checked();
    menu.WindowName = dialog.WindowNameEdit->Text();
    menu.Border = dialog.BorderCheck->Checked();
    menu.BorderSize = dialog.BorderSizeEdit->Text();
    menu.Colour = MenuColour(dialog.ColourPanel->Color() & 0xFFFFFF);
    menu.Align = static_cast<TDropAlign>(dialog.AlignGroup->ItemIndex());
    menu.ClickText = dialog.ClickTextEdit->Text();
    menu.ImageTag = imageTag;
    menu.Entries = dialog.Links();
    return menu;
}

} // namespace

// The head part goes in and the caret is kept by counting rather than by a marker in the text,
// so that nothing already in the page can be taken for the marker.
void TScriptCommands::DropLinkButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::DropLinkButtonClick) || !Form.AnyDocumentOpen())
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    const THeadState head = FindHeadPart(editor->Text(), DropLinksMarks);
    if (head == THeadState::Damaged) {
        ShowMessage(DamagedScriptMessage);
        return;
    }
    const int number = 1 + CountOccurrences(editor->Text(), "**DropDown Menu Start**");
    TDialogGuard<TDropLinkForm> dialog(DropLinkForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->ClearLinks();
    dialog->LinkNameEdit->SetText("LinkList" + IntToStr(number));
    dialog->NewWindowCheck->SetChecked(false);
    dialog->WindowNameEdit->SetEnabled(false);
    dialog->PageEditor = editor;
    dialog->OpenDialog->SetInitialDir(Form.FilePane->DirectoryListBox1->Directory());
    if (dialog.ShowModal() != mrOk)
        return;
    Form.LeaveViewsOverPages();
    if (head == THeadState::Absent) {
        TPageText page{editor->Text(), editor->SelStart()};
        size_t headEnd = FindHeadEnd(page.Text);
        if (headEnd == String::npos) {
            ShowMessage("WARNING: Cannot find closing </HEAD> tag!");
            page.InsertAt(0, DropLinksHeadPart(), true);
        } else {
            page.InsertAt(headEnd, DropLinksHeadPart(), false);
        }
        ShowPage(editor, page);
    }
    // Only the image activation names a file whose size is read.
    String imageTag;
    if (dialog->ButtonGroup->ItemIndex() == daImage) {
        imageTag = MakeImageTag(dialog->ClickTextEdit->Text(), "", true);
        imageTag.insert(imageTag.size() - 1, " ALIGN=ABSMIDDLE");
    }
    editor->SetSelText(JoinLines(DropMenuLines(MenuOf(*dialog, number, imageTag))));
    FinishPageChange(editor);
}

// ---- Time-limited image ----

// The page is tested before anything is put into it, so that a refusal leaves it as it was.
void TScriptCommands::Newimage1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Newimage1Click) || !Form.AnyDocumentOpen())
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    TDialogGuard<TNewButtonScriptForm> dialog(NewButtonScriptForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->DateEdit->SetDateValue(Now());
    dialog->OpenDialog->SetInitialDir(Form.FilePane->DirectoryListBox1->Directory());
    if (dialog.ShowModal() != mrOk)
        return;
    TPageText page{editor->Text(), editor->SelStart()};
    const THeadState head = FindHeadPart(page.Text, TimeLimitedMarks);
    if (head == THeadState::Damaged) {
        ShowMessage(DamagedScriptMessage);
        return;
    }
    const size_t headEnd = page.Text.find("</HEAD>");
    if (head == THeadState::Absent && headEnd == String::npos) {
        ShowMessage("Cannot find </HEAD> tag.");
        return;
    }
    bool locked = false;
    if (head == THeadState::Absent) {
        locked = LockWindowUpdate(Form.Handle());
        page.InsertAt(headEnd, TimeLimitedHeadPart(), false);
    }
    TTimeLimitedCall call;
    DecodeDate(dialog->DateEdit->GetDateValue(), call.Year, call.Month, call.Day);
    call.Period = TLocationForm::LeadingNumber(dialog->PeriodEdit->Text());
    const String image = dialog->ImageEdit->Text();
    if (!image.empty()) {
        call.Src = PathRelativeToPage(image, "");
        TImageSizeReader reader = ScriptImageReader(call.Src);
        call.Width = ImageSize(reader, image, 'W');
        call.Height = ImageSize(reader, image, 'H');
    }
    call.Alt = dialog->AltTextEdit->Text();
    call.Text = dialog->AdditionalTextEdit->Text();
    page.InsertAt(static_cast<size_t>(page.Caret), TimeLimitedBody(call), true);
    ShowPage(editor, page);
    FinishPageChange(editor);
    if (locked)
        LockWindowUpdate(nullptr);
}

// ---- Last-modified date ----

void TScriptCommands::LastModifiedDate1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::LastModifiedDate1Click) || !Form.AnyDocumentOpen())
        return;
    TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
    if (!dialog ||
        !Form.SetupLocationForm("Page last modified on", "", "Text to appear before date:", false,
                                false) ||
        dialog.ShowModal() != mrOk)
        return;
    Form.TagInsertion->InsertWhole(LastModifiedBlock(dialog->LocEdit->Text()), "", 0);
}
