// The HTML reference help files: the HTML 4.0 reference shipped in the help folder, with keyword
// help on the tag at the caret, and the two reference files whose places the user gives. Also
// the about box's command.

#include "editor/ReferenceHelp.h"

#include "editor/AboutForm.h"
#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/HTMLLocationForm.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/IniFiles.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
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

void TReferenceHelp::Build() {
    TMenuItem* help = Form.Help1;
    int after = help->IndexOf(Form.UsingHelp1) + 1;
    HelponTAG2 = InsertItem(&Form, help, after, "HelponTAG2", NoTagCaption);
    HTML40Help1 = InsertItem(&Form, help, after + 1, "HTML40Help1", "HTML &4.0 Help");
    N11 = InsertItem(&Form, help, after + 2, "N11", "-");
    IEHelp = InsertItem(&Form, help, after + 3, "IEHelp", "&IE HTML");
    RefLibHelp = InsertItem(&Form, help, after + 4, "RefLibHelp", "HTML &Ref. Library");
    for (TMenuItem* item : {N11, IEHelp, RefLibHelp})
        item->SetVisible(false);
    AboutSeparator = AddItem(&Form, help, "AboutSeparator", "-");
    AboutHelp = AddItem(&Form, help, "AboutHelp", "&About Quiltmarker...");
    SetupHelpFiles = AddItem(&Form, Form.Setup1, "SetupHelpFiles", "&Help Files...");
    // Next to the attributes of the tag, which come after it.
    HelponTAG1 = AddItem(&Form, Form.MainPopupMenu->Items(), "HelponTAG1", "Help on &<TAG>...");
    for (TMenuItem* item : {HelponTAG1, HelponTAG2}) {
        item->SetEnabled(false);
        item->SetHelpContext(HelpContexts::HelponTAG1Click);
    }
    HTML40Help1->SetHelpContext(HelpContexts::HTML40Help1Click);
    RefLibHelp->SetHelpContext(HelpContexts::RefLibHelpClick);
    IEHelp->SetHelpContext(HelpContexts::IEHelpClick);
    AboutHelp->SetHelpContext(HelpContexts::AboutHelpClick);
    SetupHelpFiles->SetHelpContext(HelpContexts::SetupHelpFilesClick);
}

void TReferenceHelp::Bind() {
    for (TMenuItem* item : {HelponTAG1, HelponTAG2})
        item->OnClick = Handler(this, &TReferenceHelp::HelponTAG1Click);
    HTML40Help1->OnClick = Handler(this, &TReferenceHelp::HTML40Help1Click);
    RefLibHelp->OnClick = Handler(this, &TReferenceHelp::RefLibHelpClick);
    IEHelp->OnClick = Handler(this, &TReferenceHelp::IEHelpClick);
    SetupHelpFiles->OnClick = Handler(this, &TReferenceHelp::SetupHelpFilesClick);
    AboutHelp->OnClick = Handler(this, &TReferenceHelp::AboutHelpClick);
}

void TReferenceHelp::ReadSettings() {
    struct TReferenceFile {
        const char* ValueName;
        const char* FileName;
        String TReferenceHelp::*Path;
        TMenuItem* TReferenceHelp::*Item;
    };
    static const TReferenceFile References[] = {
        {"IEHTML", "htmlref.hlp", &TReferenceHelp::IEHTMLHelpFile, &TReferenceHelp::IEHelp},
        {"HTMLRefLib", "htmlib95.hlp", &TReferenceHelp::RefLibHelpFile,
         &TReferenceHelp::RefLibHelp},
    };
    TRegistry reg;
    bool opened = reg.OpenKey(ProductSubKey("Help"), false);
    for (const TReferenceFile& reference : References) {
        String& path = this->*reference.Path;
        path.clear();
        if (opened)
            ReadSetting(reg, reference.ValueName, path);
        String shipped = Form.ProgramFolder + "help" + PathDelim + reference.FileName;
        if (path.empty() && FileExists(shipped)) {
            path = shipped;
            TRegistry writer;
            // A value of another type stays as it is; the file is still used for this
            // run.
            if (writer.OpenKey(ProductSubKey("Help"), true) &&
                (!writer.ValueExists(reference.ValueName) ||
                 writer.GetDataType(reference.ValueName) == rdString))
                writer.WriteString(reference.ValueName, path);
        }
        if (!path.empty()) {
            (this->*reference.Item)->SetVisible(true);
            N11->SetVisible(true);
        }
    }
}

void TReferenceHelp::MenuOpening(TMenuItem& menu) {
    if (&menu == Form.Help1)
        NameTagInHelpItem(HelponTAG2);
    else if (&menu == Form.MainPopupMenu->Items()) {
        // The pages' pop-up offers the item only while the caret is in a tag.
        NameTagInHelpItem(HelponTAG1);
        HelponTAG1->SetVisible(HelponTAG1->Enabled());
    }
}

String TReferenceHelp::HTML40HelpFile() const {
    return Form.ProgramFolder + "help" + PathDelim + "wdghtml40.hlp";
}

void TReferenceHelp::NameTagInHelpItem(TMenuItem* item) {
    String name = UpperCase(Form.TagNameOutsideComment());
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

String TReferenceHelp::TagNameOfHelpItem(const String& caption) {
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

String TReferenceHelp::HelpKeywordOfTag(const String& tagName) const {
    TIniFile jumps(Form.ProgramFolder + "WDGJump.ini");
    String keyword = jumps.ReadString("Jumps", tagName, NotFound);
    // An entry left empty names no keyword either.
    if (keyword == NotFound || keyword.empty())
        keyword = tagName;
    return keyword.substr(0, MaxKeywordLength);
}

void TReferenceHelp::HelponTAG1Click(TObject* Sender) {
    if (Form.HandleHelpPointer(HelpContexts::HelponTAG1Click))
        return;
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item)
        return;
    String keyword = HelpKeywordOfTag(TagNameOfHelpItem(item->Caption()));
    WinHelp(Form.Handle(), HTML40HelpFile(), HELP_KEY,
            reinterpret_cast<uintptr_t>(keyword.c_str()));
}

void TReferenceHelp::HTML40Help1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::HTML40Help1Click))
        return;
    if (WinExec("WinHelp " + HTML40HelpFile(), SW_SHOWNORMAL) < 32)
        MessageBox(Form.Handle(),
                   "Failed to run Help file. Please check that\r\nthe file 'wdghtml40.hlp' is "
                   "installed in\r\nQuiltmarker's Help folder.",
                   "Quiltmarker", MB_OK | MB_ICONERROR);
}

void TReferenceHelp::RunLocatedHelp(String& path, const String& which) {
    if (path.empty())
        LocateHelpFile(which);
    if (WinExec("WinHelp " + path, SW_SHOWNORMAL) < 32)
        MessageBox(Form.Handle(), "Failed to run Help file. Please set up Help file again.",
                   "Quiltmarker", MB_OK | MB_ICONERROR);
}

void TReferenceHelp::RefLibHelpClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::RefLibHelpClick))
        return;
    RunLocatedHelp(RefLibHelpFile, "HTMLRefLib");
}

void TReferenceHelp::IEHelpClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::IEHelpClick))
        return;
    RunLocatedHelp(IEHTMLHelpFile, "IEHelp");
}

void TReferenceHelp::LocateHelpFile(const String& which) {
    const bool refLib = which == "HTMLRefLib";
    String& path = refLib ? RefLibHelpFile : IEHTMLHelpFile;
    TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
    if (!dialog || !Form.SetupLocationForm(path, "",
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

void TReferenceHelp::SetupHelpFilesClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::SetupHelpFilesClick))
        return;
    LocateHelpFile("HTMLRefLib");
    LocateHelpFile("IEHelp");
}

void TReferenceHelp::AboutHelpClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::AboutHelpClick))
        return;
    TDialogGuard<TAboutForm> dialog(AboutForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->VersionLabel->SetCaption(Form.VerLabelInvis->Caption());
    dialog.ShowModal();
}
