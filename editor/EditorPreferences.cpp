// The editor preferences: each command writes its value at once and changes the editors, the
// window or the window's setting it stands for.

#include "editor/EditorPreferences.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/HTMLLocationForm.h"
#include "editor/HTMLMarginForm.h"
#include "editor/PageLayout.h"
#include "editor/TabSetForm.h"
#include "platform/Events.h"
#include "platform/Spin.h"
#include "services/ProgramSettings.h"

TRichEdit* GlossaryEditor = nullptr;

namespace {

// An editor's selection and modified flag, given back as they were when the change to its
// formatting or wrapping is done.
class TKeptEditorState {
public:
    explicit TKeptEditorState(TRichEdit* editor)
        : FEditor(editor), FSelStart(editor->SelStart()), FSelLength(editor->SelLength()),
          FModified(editor->Modified()) {}
    ~TKeptEditorState() {
        FEditor->SetSelStart(FSelStart);
        FEditor->SetSelLength(FSelLength);
        FEditor->Repaint();
        FEditor->SetModified(FModified);
    }
    TKeptEditorState(const TKeptEditorState&) = delete;
    TKeptEditorState& operator=(const TKeptEditorState&) = delete;

private:
    TRichEdit* FEditor;
    int FSelStart;
    int FSelLength;
    bool FModified;
};

// The product key, made when missing, for the commands to write to.
TRegistry& OpenProductKey(TRegistry& reg) {
    reg.OpenKey(ProductKey, true);
    return reg;
}

// The stored value, or the fallback when it is missing or of another type.
template <typename T> T StoredSetting(const String& name, T fallback) {
    TRegistry reg;
    ReadSetting(OpenProductKey(reg), name, fallback);
    return fallback;
}

// The limit the editors take for a stored or typed maximum page size: its leading number, the
// editors' default for -1.
int TextLimitOf(const String& text) {
    const int DefaultLimit = 64000;
    int size = TLocationForm::LeadingNumber(text);
    return size == -1 ? DefaultLimit : size;
}

} // namespace

void TEditorPreferences::Build() {
    TMenuItem* preferences = Form.Preferences1;
    int afterSmartTabs = preferences->IndexOf(Form.SmartTabsMenu) + 1;
    TabSetting1 = InsertItem(&Form, preferences, afterSmartTabs, "TabSetting1", "&Tab Width...");
    Margins1 = InsertItem(&Form, preferences, afterSmartTabs + 1, "Margins1", "&Margins...");
    SplashScreen1 = InsertItem(&Form, preferences, preferences->IndexOf(Form.Setup1),
                               "SplashScreen1", "&Splash Screen");
    ShowOnTop1 = AddItem(&Form, SplashScreen1, "ShowOnTop1", "&Show On Top");
    Show1 = AddItem(&Form, SplashScreen1, "Show1", "Sho&w");
    DontShow1 = AddItem(&Form, SplashScreen1, "DontShow1", "&Don't Show");
    DefaultExtension1 = AddItem(&Form, Form.Setup1, "DefaultExtension1", "&Default Extension...");
    HideFileList1 = AddItem(&Form, Form.View1, "HideFileList1", "Hi&de File List");
}

void TEditorPreferences::Bind() {
    const std::pair<TMenuItem*, void (TEditorPreferences::*)(TObject*)> handlers[] = {
        {Form.SmartTabsMenu, &TEditorPreferences::SmartTabsMenuClick},
        {TabSetting1, &TEditorPreferences::TabSetting1Click},
        {HideFileList1, &TEditorPreferences::HideFileList1Click},
        {Margins1, &TEditorPreferences::Margins1Click},
        {Form.Office97Style1, &TEditorPreferences::Office97Style1Click},
        {Form.ParaPrefs, &TEditorPreferences::ParaPrefsClick},
        {Form.ShowLineNumber2, &TEditorPreferences::ShowLineNumber2Click},
        {Form.ShowSize2, &TEditorPreferences::ShowSize2Click},
        {Form.RequestALTtags1, &TEditorPreferences::RequestALTtags1Click},
        {Form.MaxPageSize1, &TEditorPreferences::MaxPageSize1Click},
        {DefaultExtension1, &TEditorPreferences::DefaultExtension1Click},
        {ShowOnTop1, &TEditorPreferences::ShowOnTop1Click},
        {Show1, &TEditorPreferences::Show1Click},
        {DontShow1, &TEditorPreferences::DontShow1Click},
        {SplashScreen1, &TEditorPreferences::SplashScreen1Click},
        {Form.PermanentSaveonViewing1, &TEditorPreferences::PermanentSaveonViewing1Click},
        {Form.WordWrap1, &TEditorPreferences::WordWrap1Click},
        {Form.On2, &TEditorPreferences::On2Click},
        {Form.Off2, &TEditorPreferences::Off2Click},
        {Form.AutoInsertTabs, &TEditorPreferences::AutoInsertTabsClick},
    };
    for (auto [item, handler] : handlers)
        item->OnClick = Handler(this, handler);
}

void TEditorPreferences::MenuOpening(TMenuItem& menu) {
    if (&menu == Form.View1)
        HideFileList1->SetChecked(!Form.LeftPanelVisible);
}

// ---- The toggles ----

void TEditorPreferences::ToggleSetting(bool& setting, TMenuItem* item, const String& valueName) {
    setting = !setting;
    item->SetChecked(setting);
    TRegistry reg;
    OpenProductKey(reg).WriteBool(valueName, setting);
}

void TEditorPreferences::SmartTabsMenuClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::SmartTabsMenuClick))
        ToggleSetting(Form.SmartTabs, Form.SmartTabsMenu, "SmartTabs");
}

void TEditorPreferences::ParaPrefsClick(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::ParaPrefsClick))
        ToggleSetting(Form.DoubleParaTags, Form.ParaPrefs, "DoubleParaTags");
}

void TEditorPreferences::RequestALTtags1Click(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::RequestALTtags1Click))
        ToggleSetting(Form.AskForAltData, Form.RequestALTtags1, "AskForAltData");
}

void TEditorPreferences::PermanentSaveonViewing1Click(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::PermanentSaveonViewing1Click))
        ToggleSetting(Form.PermSave, Form.PermanentSaveonViewing1, "PermSave");
}

void TEditorPreferences::AutoInsertTabsClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::AutoInsertTabsClick))
        return;
    bool insert = !Form.AutoInsertTabs->Checked();
    Form.AutoInsertTabs->SetChecked(insert);
    Form.AutoInsertTab = insert ? String("\t") : String();
    TRegistry reg;
    OpenProductKey(reg).WriteBool("AutoInsertTab", Form.AutoInsertTab == "\t");
}

// Flat toolbar buttons on the window now, and on each dialog as it is next opened.
void TEditorPreferences::Office97Style1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Office97Style1Click))
        return;
    bool flat = !Form.Office97Style1->Checked();
    Form.Office97Style1->SetChecked(flat);
    TRegistry reg;
    OpenProductKey(reg).WriteBool("Office97Style", flat);
    THTMLEMainForm::ApplyButtonStyle(&Form);
}

// ---- The status bar's position ----

void TEditorPreferences::ShowPositionAs(bool lineNumbers) {
    Form.ShowLineNumbers = lineNumbers;
    Form.ShowLineNumber2->SetChecked(lineNumbers);
    Form.ShowSize2->SetChecked(!lineNumbers);
    Form.UpdateLinePosition();
    TRegistry reg;
    OpenProductKey(reg).WriteBool("ShowLineNumbers", lineNumbers);
}

void TEditorPreferences::ShowLineNumber2Click(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::ShowLineNumber2Click))
        ShowPositionAs(true);
}

void TEditorPreferences::ShowSize2Click(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::ShowSize2Click))
        ShowPositionAs(false);
}

// ---- Tab width and margins ----

std::vector<TRichEdit*> TEditorPreferences::TabStopEditors() const {
    std::vector<TRichEdit*> editors(Form.Memos.begin(), Form.Memos.end());
    editors.push_back(Form.PrinterForm);
    if (GlossaryEditor)
        editors.push_back(GlossaryEditor);
    return editors;
}

void TEditorPreferences::TabSetting1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::TabSetting1Click))
        return;
    TDialogGuard<TTabSetForm> dialog(TabSetForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    dialog->TabWidthUpDown->SetPosition(Form.TabWidth);
    if (dialog.ShowModal() != mrOk)
        return;
    Form.TabWidth = dialog->TabWidthUpDown->Position();
    const int leftMargin = StoredPageLayout().LeftMargin;
    TRegistry reg;
    OpenProductKey(reg).WriteInteger("TabWidth", Form.TabWidth);
    for (TRichEdit* editor : TabStopEditors()) {
        TKeptEditorState kept(editor);
        bool locked = LockWindowUpdate(Form.Handle());
        editor->SelectAll();
        Form.SetTabStops(editor, leftMargin, Form.TabWidth);
        if (locked)
            LockWindowUpdate(nullptr);
    }
}

void TEditorPreferences::Margins1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Margins1Click))
        return;
    TDialogGuard<THTMLMarginForm> dialog(HTMLMarginForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    const TPageLayout stored = StoredPageLayout();
    dialog->ShowSample(stored.LeftMargin, stored.LeftIndent, stored.RightMargin);
    if (dialog.ShowModal() != mrOk)
        return;
    MessageBeep(0);
    TPageLayout chosen;
    chosen.LeftMargin = dialog->LeftEdit->Value();
    chosen.LeftIndent = dialog->IndentEdit->Value();
    chosen.RightMargin = dialog->RightEdit->Value();
    for (TRichEdit* editor : Form.Memos) {
        TKeptEditorState kept(editor);
        editor->SelectAll();
        SetParagraphIndents(editor, chosen);
    }
    TRegistry reg;
    OpenProductKey(reg).WriteInteger("Left Margin", chosen.LeftMargin);
    reg.WriteInteger("Left Indent", chosen.LeftIndent);
    reg.WriteInteger("Right Margin", chosen.RightMargin);
}

// ---- The file pane ----

void TEditorPreferences::HideFileList1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::HideFileList1Click))
        return;
    Form.LeftPanel->SetVisible(!Form.LeftPanel->Visible());
    Form.LeftPanelVisible = Form.LeftPanel->Visible();
    TRegistry reg;
    reg.OpenKey(ProductSubKey("Form State"), true);
    reg.WriteBool("LeftPanelVisible", Form.LeftPanelVisible);
    Form.FormResize(&Form);
    if (Form.PageInUse(-1))
        Form.GetMemo(-1)->Repaint();
}

// ---- Maximum page size and default extension ----

void TEditorPreferences::MaxPageSize1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::MaxPageSize1Click))
        return;
    TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
    // Neither Browse button: a size is typed, and the narrowed dialog has no room for them.
    if (!dialog || !Form.SetupLocationForm(StoredSetting<String>("MaxEditSize", "-1"),
                                           "Max. edit size", "(-1 for default)", false, false))
        return;
    Form.SizeNumberInputDialog();
    if (dialog.ShowModal() != mrOk)
        return;
    const String typed = dialog->LocEdit->Text();
    TRegistry reg;
    OpenProductKey(reg).WriteString("MaxEditSize", typed);
    Form.MaxEditSize = TextLimitOf(typed);
    for (TRichEdit* editor : Form.Memos)
        editor->Perform(EM_EXLIMITTEXT, 0, Form.MaxEditSize);
}

// A dot typed before the extension is dropped; an entry that leaves no extension keeps the one
// there is.
void TEditorPreferences::DefaultExtension1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::DefaultExtension1Click))
        return;
    TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    Form.DefaultExtension = StoredSetting("Default Extension", Form.DefaultExtension);
    if (!Form.SetupLocationForm(Form.DefaultExtension, "Default extension", "(e.g. html)", false,
                                false))
        return;
    Form.SizeNumberInputDialog();
    if (dialog.ShowModal() != mrOk)
        return;
    String extension = dialog->LocEdit->Text();
    if (!extension.empty() && extension[0] == '.')
        extension.erase(0, 1);
    if (extension.empty())
        return;
    Form.DefaultExtension = extension;
    TRegistry reg;
    OpenProductKey(reg).WriteString("Default Extension", extension);
}

// ---- The splash screen at the next start ----

void TEditorPreferences::WriteSplashChoice(const String& choice) {
    TRegistry reg;
    OpenProductKey(reg).WriteString("SplashScreen", choice);
}

void TEditorPreferences::ShowOnTop1Click(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::ShowOnTop1Click))
        WriteSplashChoice("2");
}

void TEditorPreferences::Show1Click(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::Show1Click))
        WriteSplashChoice("1");
}

void TEditorPreferences::DontShow1Click(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::DontShow1Click))
        WriteSplashChoice("0");
}

void TEditorPreferences::SplashScreen1Click(TObject* /*Sender*/) {
    const String choice = StoredSetting<String>("SplashScreen", "2");
    ShowOnTop1->SetChecked(choice == "2");
    Show1->SetChecked(choice == "1");
    DontShow1->SetChecked(choice == "0");
}

// ---- Word wrap ----

void TEditorPreferences::WordWrap1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::WordWrap1Click) || !Form.PageInUse(-1))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    Form.StatusUpdateSuppressed = true;
    {
        TKeptEditorState kept(editor);
        SetPageWordWrap(editor, !editor->WordWrap());
    }
    Form.StatusUpdateSuppressed = false;
    Form.UpdateStatusBar();
}

// Every page, open or not, so that a page opened later wraps as its editor was left.
void TEditorPreferences::WrapAllPages(bool wrap) {
    Form.StatusUpdateSuppressed = true;
    for (TRichEdit* editor : Form.Memos) {
        TKeptEditorState kept(editor);
        SetPageWordWrap(editor, wrap);
    }
    Form.StatusUpdateSuppressed = false;
    Form.UpdateStatusBar();
    Form.On2->SetChecked(wrap);
    Form.Off2->SetChecked(!wrap);
    TRegistry reg;
    OpenProductKey(reg).WriteBool("WordWrap", Form.On2->Checked());
}

void TEditorPreferences::On2Click(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::On2Click))
        WrapAllPages(true);
}

void TEditorPreferences::Off2Click(TObject* /*Sender*/) {
    if (!Form.HandleHelpPointer(HelpContexts::Off2Click))
        WrapAllPages(false);
}
