// The main window's creation: the preferences it reads from the registry, in
// the order it reads them, and the editors' settings.

#include "editor/CorvaletForm.h"

#include "editor/FontSettings.h"
#include "editor/HTMLSplash.h"
#include "editor/PageLayout.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/IniFiles.h"
#include "platform/Registry.h"
#include "services/ProgramSettings.h"
#include "widgets/QmToolbars.h"
#include "widgets/WebConnect.h"

#include <climits>
#include <cstdlib>
#include <span>

namespace {

struct BoolSetting {
    const char* Name;
    bool THTMLEMainForm::*Member;
    bool Default;
    TMenuItem* THTMLEMainForm::*CheckItem; // null: no menu item shows it
};

// Read with the display settings.
const BoolSetting DisplayBoolSettings[] = {
    {"PermSave", &THTMLEMainForm::PermSave, false, &THTMLEMainForm::PermanentSaveonViewing1},
    {"Coloured Tags", &THTMLEMainForm::ColouredTags, false, &THTMLEMainForm::UseTagColouring1},
    {"ShowLineNumbers", &THTMLEMainForm::ShowLineNumbers, false, &THTMLEMainForm::ShowLineNumber2},
};

// Read with the general preferences.
const BoolSetting GeneralBoolSettings[] = {
    {"AskForAltData", &THTMLEMainForm::AskForAltData, true, &THTMLEMainForm::RequestALTtags1},
    {"DoubleParaTags", &THTMLEMainForm::DoubleParaTags, false, &THTMLEMainForm::ParaPrefs},
    {"SmartTabs", &THTMLEMainForm::SmartTabs, false, &THTMLEMainForm::SmartTabsMenu},
    {"PrePublish", &THTMLEMainForm::PrePublish, true, &THTMLEMainForm::Prepublishfiles1},
};

struct ColourSetting {
    const char* Name;
    TColor THTMLEMainForm::*Member;
    TColor Default;
};

const ColourSetting ColourSettings[] = {
    {"TagColour", &THTMLEMainForm::TagColour, 0xFF0000},
    {"ParamColour", &THTMLEMainForm::ParamColour, 0x0000FF},
    {"CommentColour", &THTMLEMainForm::CommentColour, 0x0000FF},
};

struct StyleSetting {
    const char* Name;
    TFontStyles THTMLEMainForm::*Member;
    TFontStyle Flag;
};

const StyleSetting StyleSettings[] = {
    {"TagBold", &THTMLEMainForm::TagStyle, fsBold},
    {"TagItalic", &THTMLEMainForm::TagStyle, fsItalic},
    {"TagUnderline", &THTMLEMainForm::TagStyle, fsUnderline},
    {"ParamBold", &THTMLEMainForm::ParamStyle, fsBold},
    {"ParamItalic", &THTMLEMainForm::ParamStyle, fsItalic},
    {"ParamUnderline", &THTMLEMainForm::ParamStyle, fsUnderline},
    {"CommentBold", &THTMLEMainForm::CommentStyle, fsBold},
    {"CommentItalic", &THTMLEMainForm::CommentStyle, fsItalic},
    {"CommentUnderline", &THTMLEMainForm::CommentStyle, fsUnderline},
};

void ReadBoolSettings(THTMLEMainForm& form, const TRegistry& reg,
                      std::span<const BoolSetting> settings) {
    for (const BoolSetting& setting : settings) {
        bool& member = form.*setting.Member;
        member = setting.Default;
        ReadSetting(reg, setting.Name, member);
        if (setting.CheckItem)
            (form.*setting.CheckItem)->SetChecked(member);
    }
}

// The templates' folder when none is set: the user's home folder stands for the
// system drive.
String DefaultTemplateFolder() {
    return IncludeTrailingPathDelimiter(HomeFolder());
}

} // namespace

// ---- FormCreate ----

void THTMLEMainForm::BindMainSettings() {
    OnCreate = Handler(this, &THTMLEMainForm::FormCreate);
}

void THTMLEMainForm::FormCreate(TObject* /*Sender*/) {
    using Step = void (THTMLEMainForm::*)();
    static constexpr Step Steps[] = {
        &THTMLEMainForm::TakeVersionFromLabel, &THTMLEMainForm::RecordSessionStart,
        &THTMLEMainForm::CountSession,         &THTMLEMainForm::ClearStateMembers,
        &THTMLEMainForm::ShowVersionLabel,     &THTMLEMainForm::LoadCursors,
        &THTMLEMainForm::PrepareSplash,        &THTMLEMainForm::SetProgramFolders,
        &THTMLEMainForm::PrepareLayout,        &THTMLEMainForm::ReadDisplaySettings,
        &THTMLEMainForm::ReadGeneralSettings,  &THTMLEMainForm::ApplyFixedFonts,
        &THTMLEMainForm::ReadTemplateAndTabs,  &THTMLEMainForm::SetPageIndentsAndTabs,
        &THTMLEMainForm::ShowHiddenCommands,   &THTMLEMainForm::SetIndentsOnceMore,
        &THTMLEMainForm::ReadFeatureSettings,  &THTMLEMainForm::FinishCreation,
    };
    for (Step step : Steps) {
        // A step that fails (a registry or file that cannot be written) is reported
        // and the others still run, so the window is always built whole.
        try {
            (this->*step)();
        } catch (const std::exception&) {
            Application->HandleException(this);
        }
        Application->ProcessMessages();
    }
}

// As with the window's own steps, a feature whose settings fail is reported and the others still
// read theirs.
void THTMLEMainForm::ReadFeatureSettings() {
    for (const auto& feature : FFeatures) {
        try {
            feature->ReadSettings();
        } catch (const std::exception&) {
            Application->HandleException(this);
        }
    }
}

void THTMLEMainForm::TakeVersionFromLabel() {
    String caption = VerLabelInvis->Caption();
    int blank = Pos(" ", caption);
    if (blank > 0)
        ProgramVersionText = Copy(caption, blank + 1, INT_MAX);
}

void THTMLEMainForm::RecordSessionStart() {
    SessionStart = Now();
}

void THTMLEMainForm::CountSession() {
    TIniFile sessions(::ProgramFolder() + "sessions.ini");
    int run = sessions.ReadInteger("Sessions", "Total", 0) + 1;
    sessions.WriteInteger("Sessions", "Total", run);
    sessions.WriteString("Sessions", "S" + IntToStr(run), Format("%f", SessionStart));
}

void THTMLEMainForm::ClearStateMembers() {
    LastInsertToggle = true;
    InsertToggleKnown = false;
    LeftPanelVisible = true;
    ReplaceAngles = false;
    AbortRequested = false;
    TextColour = clBlack;
    PageControl1->SetAlign(alClient);
}

void THTMLEMainForm::ShowVersionLabel() {
    VersionLabel->SetCaption(VerLabelInvis->Caption());
}

void THTMLEMainForm::LoadCursors() {
    HelpCursor = LoadCursor(HInstance, "MYHELP");
    WebConnect1->LoadWebCursor();
}

void THTMLEMainForm::ShowSplashProgress(const String& text) {
    if (Splash)
        Splash->ShowProgress(text);
}

void THTMLEMainForm::PrepareSplash() {
    if (!Splash)
        return;
    String version = VerLabelInvis->Caption();
    Splash->VersionLabel->SetCaption(version);
    TRegistry reg;
    String splashSetting = "2";
    if (reg.OpenKeyReadOnly(ProductKey))
        ReadSetting(reg, "SplashScreen", splashSetting);
    if (splashSetting != "0")
        Splash->Show();
    Application->SetTitle("Quiltmarker " + StringReplace(version, "Version ", "v.", 0));
    ShowSplashProgress("Reading registry entries...");
}

void THTMLEMainForm::SetProgramFolders() {
    AutoInsertTab = "\t";
    ProgramFolder = IncludeTrailingPathDelimiter(::ProgramFolder());
    HelpFileName = ProgramFolder + "help" + PathDelim + "Quiltmarker.hlp";
    Application->SetHelpFile(HelpFileName);
}

void THTMLEMainForm::PrepareLayout() {
    PrePublish = false;
    FormResize(this);
    for (const auto& feature : FFeatures)
        feature->RestoreWindowState();
}

// A key that cannot be opened reads as empty, so every default still stands.
void THTMLEMainForm::ReadDisplaySettings() {
    TRegistry reg;
    reg.OpenKey(ProductKey, true);
    ReadBoolSettings(*this, reg, DisplayBoolSettings);
    if (ColouredTags)
        ColourTags1->SetEnabled(true);
    ShowSize2->SetChecked(!ShowLineNumbers);
    for (const ColourSetting& setting : ColourSettings) {
        this->*setting.Member = setting.Default;
        ReadSetting(reg, setting.Name, this->*setting.Member);
    }
    for (const StyleSetting& setting : StyleSettings) {
        bool on = false;
        if (ReadSetting(reg, setting.Name, on) && on)
            this->*setting.Member << setting.Flag;
    }
    String maxEditSize = "-1";
    ReadSetting(reg, "MaxEditSize", maxEditSize);
    MaxEditSize = StrToIntDef(maxEditSize, 0);
    MaxPageSize1->SetVisible(true);
}

void THTMLEMainForm::ReadGeneralSettings() {
    TRegistry reg;
    reg.OpenKey(ProductKey, true);
    ReadBoolSettings(*this, reg, GeneralBoolSettings);
    bool flat = false;
    ReadSetting(reg, "Office97Style", flat);
    ApplyFlatButtons(flat);
    Office97Style1->SetChecked(flat);
    ReadSetting(reg, "Left Margin", LeftMargin);
    ReadSetting(reg, "Left Indent", LeftIndent);
    ReadSetting(reg, "Right Margin", RightMargin);
    DefaultExtension = "html";
    ReadSetting(reg, "Default Extension", DefaultExtension);
    bool autoInsertTab = false;
    ReadSetting(reg, "AutoInsertTab", autoInsertTab);
    AutoInsertTab = autoInsertTab ? "\t" : "";
    AutoInsertTabs->SetChecked(autoInsertTab);
}

void THTMLEMainForm::ApplyFlatButtons(bool flat) {
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* button = dynamic_cast<TQmToolbarButton*>(Components(i)))
            button->SetFlat(flat);
}

void THTMLEMainForm::ApplyFixedFonts() {
    ApplyEditorSettings(nullptr);
    GiveDefaultPlainFont(TempMemo->Font());
}

void THTMLEMainForm::ReadTemplateAndTabs() {
    TemplateFolder = DefaultTemplateFolder();
    TabWidth = 12;
    TRegistry reg;
    reg.OpenKey(ProductKey, true);
    ReadSetting(reg, "TemplateFolder", TemplateFolder);
    ReadSetting(reg, "TabWidth", TabWidth);
}

void THTMLEMainForm::SetIndents(TRichEdit* editor) {
    editor->Paragraph().SetFirstIndent(LeftMargin);
    editor->Paragraph().SetLeftIndent(LeftIndent);
}

void THTMLEMainForm::SetTabStops(TRichEdit* editor, int leftMargin, int tabWidth) {
    const int TabStops = 20;
    editor->Paragraph().SetTabCount(TabStops);
    for (int k = 1; k <= TabStops; ++k)
        editor->Paragraph().SetTab(k - 1, leftMargin + k * tabWidth);
}

void THTMLEMainForm::SetPageIndentsAndTabs() {
    std::vector<TRichEdit*> editors(Memos.begin(), Memos.end());
    editors.push_back(PrinterForm);
    for (TRichEdit* editor : editors) {
        editor->SelectAll();
        SetIndents(editor);
        SetTabStops(editor, LeftMargin, TabWidth);
        editor->SetModified(false);
    }
}

void THTMLEMainForm::ShowHiddenCommands() {
    ShowHideMarks1->SetVisible(true);
}

void THTMLEMainForm::SetIndentsOnceMore() {
    ShowSplashProgress("Setting up preferences...");
    for (TRichEdit* editor : Memos)
        SetIndents(editor);
    SetIndents(PrinterForm);
    PrinterForm->Paragraph().SetRightIndent(RightMargin);
}

void THTMLEMainForm::FinishCreation() {
    ShowSplashProgress("Thanks for using Quiltmarker");
    for (String& name : AutosaveNames)
        name.clear();
    FirstShowPending = true;
}

// ---- The editors' settings ----

void THTMLEMainForm::ApplyEditorSettings(TRichEdit* editor) {
    TFont font = DefaultEditorFont();
    TPageLayout layout;
    bool wordWrap = true;
    TRegistry reg;
    if (reg.OpenKey(ProductSubKey("Font"), false))
        ReadFontSettings(reg, font);
    if (reg.OpenKey(ProductKey, false)) {
        layout = ReadPageLayout(reg);
        String maxEditSize;
        if (ReadSetting(reg, "MaxEditSize", maxEditSize))
            MaxEditSize = StrToIntDef(maxEditSize, 0);
        ReadSetting(reg, "WordWrap", wordWrap);
        On2->SetChecked(wordWrap);
        Off2->SetChecked(!wordWrap);
    }
    TextStyle = TagStyleBits(font.Style());
    bool locked = LockWindowUpdate(Handle());
    auto apply = [&](TRichEdit* target) {
        target->SelectAll();
        target->Font().SetName(font.Name());
        target->Font().SetSize(font.Size());
        target->Font().SetStyle(font.Style());
        if (MaxEditSize >= 0)
            target->Perform(EM_EXLIMITTEXT, 0, MaxEditSize);
        SetParagraphIndents(target, layout);
        SetTabStops(target, layout.LeftMargin, layout.TabWidth);
        target->SetSelStart(0);
    };
    if (editor) {
        apply(editor);
    } else {
        for (int page = 0; page < PageControl1->PageCount(); ++page) {
            TRichEdit* target = GetMemo(page);
            apply(target);
            target->Font().SetColor(font.Color());
            SetPageWordWrap(target, wordWrap);
        }
    }
    if (locked)
        LockWindowUpdate(nullptr);
}
