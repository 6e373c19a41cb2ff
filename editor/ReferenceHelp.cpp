// The HTML reference help files: the HTML 4.0 reference shipped in the help folder, with keyword
// help on the tag at the caret, and the two reference files whose places the user gives. Also
// the about box's command.

#include "editor/CorvaletForm.h"

#include "editor/AboutForm.h"
#include "editor/DialogGuard.h"
#include "editor/HTMLLocationForm.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/IniFiles.h"
#include "platform/Processes.h"
#include "platform/SingleInstance.h"
#include "platform/StdCtrls.h"
#include "platform/WinHelp.h"
#include "services/ProgramSettings.h"

namespace {

const String NoTagCaption = "Help on <TAG>";
const String NotFound = "not found";
// The help viewer takes a keyword of at most this many characters.
const size_t MaxKeywordLength = 499;

} // namespace

void THTMLEMainForm::BuildReferenceHelp() {
    HelponTAG2 = InsertItem(this, Help1, UsingHelp1->MenuIndex() + 1, "HelponTAG2", NoTagCaption);
    HTML40Help1 =
        InsertItem(this, Help1, HelponTAG2->MenuIndex() + 1, "HTML40Help1", "HTML &4.0 Help");
    AboutSeparator = AddItem(this, Help1, "AboutSeparator", "-");
    AboutHelp = AddItem(this, Help1, "AboutHelp", "&About Quiltmarker...");
    SetupHelpFiles = AddItem(this, Setup1, "SetupHelpFiles", "&Help Files...");
    HelponTAG2->SetEnabled(false);
    HelponTAG2->SetHelpContext(HelpContexts::HelponTAG1Click);
    HTML40Help1->SetHelpContext(HelpContexts::HTML40Help1Click);
    AboutHelp->SetHelpContext(HelpContexts::AboutHelpClick);
    SetupHelpFiles->SetHelpContext(HelpContexts::SetupHelpFilesClick);
}

void THTMLEMainForm::BindReferenceHelp() {
    Help1->OnClick = Handler(this, &THTMLEMainForm::Help1Click);
    HelponTAG2->OnClick = Handler(this, &THTMLEMainForm::HelponTAG1Click);
    HTML40Help1->OnClick = Handler(this, &THTMLEMainForm::HTML40Help1Click);
    RefLibHelp->OnClick = Handler(this, &THTMLEMainForm::RefLibHelpClick);
    IEHelp->OnClick = Handler(this, &THTMLEMainForm::IEHelpClick);
    SetupHelpFiles->OnClick = Handler(this, &THTMLEMainForm::SetupHelpFilesClick);
    AboutHelp->OnClick = Handler(this, &THTMLEMainForm::AboutHelpClick);
}

String THTMLEMainForm::HTML40HelpFile() const {
    return ProgramFolder + "help" + PathDelim + "wdghtml40.hlp";
}

void THTMLEMainForm::NameTagInHelpItem(TMenuItem* item) {
    String name = UpperCase(TagNameAtCaret());
    // A comment is no tag to look up, as the editor's shortcut menu treats it.
    if (name.rfind("!--", 0) == 0)
        name.clear();
    if (name.empty()) {
        item->SetCaption(NoTagCaption);
        item->SetEnabled(false);
        return;
    }
    if (name[0] == '/')
        name.erase(0, 1);
    item->SetCaption("Help on &<" + name + ">");
    item->SetEnabled(true);
}

void THTMLEMainForm::Help1Click(TObject* /*Sender*/) {
    NameTagInHelpItem(HelponTAG2);
}

String THTMLEMainForm::TagNameOfHelpItem(const String& caption) {
    String name = caption;
    size_t open = name.find('<');
    if (open != String::npos)
        name.erase(0, open + 1);
    size_t close = name.find('>');
    if (close != String::npos)
        name.erase(close);
    if (!name.empty() && name[0] == '/')
        name.erase(0, 1);
    return name;
}

String THTMLEMainForm::HelpKeywordOfTag(const String& tagName) const {
    TIniFile jumps(ProgramFolder + "WDGJump.ini");
    String keyword = jumps.ReadString("Jumps", tagName, NotFound);
    // An entry left empty names no keyword either.
    if (keyword == NotFound || keyword.empty())
        keyword = tagName;
    return keyword.substr(0, MaxKeywordLength);
}

void THTMLEMainForm::HelponTAG1Click(TObject* Sender) {
    if (HandleHelpPointer(HelpContexts::HelponTAG1Click))
        return;
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item)
        return;
    String keyword = HelpKeywordOfTag(TagNameOfHelpItem(item->Caption()));
    WinHelp(Handle(), HTML40HelpFile(), HELP_KEY, reinterpret_cast<uintptr_t>(keyword.c_str()));
}

void THTMLEMainForm::HTML40Help1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::HTML40Help1Click))
        return;
    if (WinExec("WinHelp " + HTML40HelpFile(), SW_SHOWNORMAL) < 32)
        MessageBox(Handle(),
                   "Failed to run Help file. Please check that\r\nthe file 'wdghtml40.hlp' is "
                   "installed in\r\nQuiltmarker's Help folder.",
                   "Quiltmarker", MB_OK | MB_ICONERROR);
}

void THTMLEMainForm::RunLocatedHelp(String& path, const String& which) {
    if (path.empty())
        LocateHelpFile(which);
    if (WinExec("WinHelp " + path, SW_SHOWNORMAL) < 32)
        MessageBox(Handle(), "Failed to run Help file. Please set up Help file again.",
                   "Quiltmarker", MB_OK | MB_ICONERROR);
}

void THTMLEMainForm::RefLibHelpClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::RefLibHelpClick))
        return;
    RunLocatedHelp(RefLibHelpFile, "HTMLRefLib");
}

void THTMLEMainForm::IEHelpClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::IEHelpClick))
        return;
    RunLocatedHelp(IEHTMLHelpFile, "IEHelp");
}

void THTMLEMainForm::LocateHelpFile(const String& which) {
    const bool refLib = which == "HTMLRefLib";
    String& path = refLib ? RefLibHelpFile : IEHTMLHelpFile;
    TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
    if (!dialog || !SetupLocationForm(path, "",
                                      refLib ? "Location of HTML Ref. Library Help File"
                                             : "Location of IE HTML Help file",
                                      true, false))
        return;
    if (dialog.ShowModal() != mrOk)
        return;
    path = dialog->LocEdit->Text();
    TRegistry reg;
    if (reg.OpenKey(ProductSubKey("Help"), true))
        reg.WriteString(refLib ? "HTMLRefLib" : "IEHTML", path);
    // The item was hidden while no file was known; now it leads somewhere.
    if (!path.empty()) {
        (refLib ? RefLibHelp : IEHelp)->SetVisible(true);
        N11->SetVisible(true);
    }
}

void THTMLEMainForm::SetupHelpFilesClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::SetupHelpFilesClick))
        return;
    LocateHelpFile("HTMLRefLib");
    LocateHelpFile("IEHelp");
}

void THTMLEMainForm::AboutHelpClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::AboutHelpClick))
        return;
    TDialogGuard<TAboutForm> dialog(AboutForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->VersionLabel->SetCaption(VerLabelInvis->Caption());
    dialog.ShowModal();
}
