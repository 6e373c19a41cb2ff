// The glossary of phrases.
//
// Nothing the user wrote is lost to a failure: a phrase file is written whole or not at all, and
// its entry only once the file is there; an index file that cannot be read is reported and never
// written over; a phrase that could not be saved stays in the dialog, which then stays open.

#include "tags/HTMLGlossary.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/EditorPreferences.h"
#include "platform/Classes.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/IniFiles.h"
#include "platform/Menus.h"
#include "platform/Registry.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "services/ProgramSettings.h"
#include "widgets/QmToolbars.h"

TGlossaryForm* GlossaryForm = nullptr;

namespace {

const char* const PhraseSection = "Custom Phrases";
const char* const DialogCaption = "Quiltmarker";
const int ToolButtonSize = 23;

void ShowError(TForm& form, const String& text) {
    MessageBox(form.Handle(), text, DialogCaption, MB_OK | MB_ICONERROR);
}

// What the INI format cannot hold as a key, or would read back as another title.
bool IsStorableTitle(const String& title) {
    return title.find('=') == String::npos && title.find_first_of("\r\n") == String::npos &&
           title[0] != '[' && title[0] != ';' && Trim(title) == title;
}

} // namespace

TGlossaryForm::TGlossaryForm(TComponent* AOwner)
    : TForm(AOwner), Titles(std::make_unique<TStringList>()) {
    BuildForm([this] {
        SetName("GlossaryForm");
        SetCaption(DialogCaption);
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(420);
        SetClientHeight(330);
        BuildToolbar();
        BuildMenu();
        TitleLabel = NewControl<TLabel>(this, this, "TitleLabel", 8, 40, 30, 13);
        TitleLabel->SetCaption("Title");
        GlossaryCombo = NewControl<TComboBox>(this, this, "GlossaryCombo", 44, 36, 368, 21);
        GlossaryCombo->SetSorted(true);
        GlossaryCombo->OnChange = Handler(this, &TGlossaryForm::GlossaryComboChange);
        TitleLabel->SetFocusControl(GlossaryCombo);
        GlossaryMemo = NewControl<TRichEdit>(this, this, "GlossaryMemo", 8, 64, 404, 226);
        GlossaryMemo->SetPlainText(true);
        GlossaryMemo->SetScrollBars(ssBoth);
        GlossaryMemo->SetWantTabs(true);
        OKButton = NewControl<TButton>(this, this, "OKButton", 337, 298, 75, 25);
        OKButton->SetCaption("OK");
        OKButton->SetDefault(true);
        OKButton->OnClick = Handler(this, &TGlossaryForm::OKButtonClick);
        OnShow = Handler(this, &TGlossaryForm::FormShow);
    });
    GlossaryEditor = GlossaryMemo;
}

TGlossaryForm::~TGlossaryForm() {
    if (GlossaryEditor == GlossaryMemo)
        GlossaryEditor = nullptr;
}

void TGlossaryForm::BuildToolbar() {
    QmDock1 = NewControl<TQmDock>(this, this, "QmDock1");
    QmDock1->SetAlign(alTop);
    QmToolbar1 = NewComponent<TQmToolbar>(this, "QmToolbar1");
    QmToolbar1->SetDockedTo(QmDock1);
    struct TTool {
        TQmToolbarButton* TGlossaryForm::*Member;
        const char* Name;
        const char* Caption; // for a button without a picture of its own
        const char* Hint;
        void (TGlossaryForm::*Click)(TObject*);
        bool GroupEnds;
    };
    const TTool tools[] = {
        {&TGlossaryForm::NewButton, "NewButton", "N", "Type new item", &TGlossaryForm::New1Click,
         false},
        {&TGlossaryForm::SaveButton, "SaveButton", "S", "Save current item",
         &TGlossaryForm::Save1Click, true},
        {&TGlossaryForm::CutButton, "CutButton", "X", "Cut text to Clipboard",
         &TGlossaryForm::Cut1Click, false},
        {&TGlossaryForm::CopyButton, "CopyButton", "C", "Copy text to Clipboard",
         &TGlossaryForm::Copy1Click, false},
        {&TGlossaryForm::PasteButton, "PasteButton", "V", "Paste text from Clipboard",
         &TGlossaryForm::Paste1Click, true},
        {&TGlossaryForm::PasteToButton, "PasteToButton", "D", "Paste text to document",
         &TGlossaryForm::PasteSpecial1Click, true},
        {&TGlossaryForm::DeleteButton, "DeleteButton", "Del", "Delete current item",
         &TGlossaryForm::Delete1Click, false},
    };
    int left = 0;
    int separators = 0;
    for (const TTool& tool : tools) {
        auto* button = NewControl<TQmToolbarButton>(this, QmToolbar1, tool.Name);
        button->SetBounds(left, 0, ToolButtonSize, ToolButtonSize - 1);
        button->SetHint(tool.Hint);
        button->SetShowHint(true);
        THTMLEMainForm::LoadButtonGlyph(button);
        if (button->Glyph().Empty())
            button->SetCaption(tool.Caption);
        button->OnClick = Handler(this, tool.Click);
        this->*tool.Member = button;
        left += ToolButtonSize;
        if (tool.GroupEnds) {
            auto* separator = NewControl<TQmToolbarSep>(this, QmToolbar1,
                                                        "QmToolbarSep" + IntToStr(++separators));
            separator->SetLeft(left);
            left += separator->Width();
        }
    }
}

void TGlossaryForm::BuildMenu() {
    auto* menu = NewComponent<TMainMenu>(this, "MainMenu1");
    TMenuItem* file = AddItem(this, menu->Items(), "File1", "&File");
    TMenuItem* edit = AddItem(this, menu->Items(), "Edit1", "&Edit");
    struct TItem {
        TMenuItem* Parent;
        TMenuItem* TGlossaryForm::*Member; // nullptr: a separator
        const char* Name;
        const char* Caption;
        WORD Key;
        void (TGlossaryForm::*Click)(TObject*);
    };
    const TItem items[] = {
        {file, &TGlossaryForm::New1, "New1", "&New", 0, &TGlossaryForm::New1Click},
        {file, &TGlossaryForm::Save1, "Save1", "&Save", 0, &TGlossaryForm::Save1Click},
        {file, nullptr, "N1", "-", 0, nullptr},
        {file, &TGlossaryForm::Exit1, "Exit1", "E&xit", 0, &TGlossaryForm::OKButtonClick},
        {edit, &TGlossaryForm::Cut1, "Cut1", "Cu&t", 'X', &TGlossaryForm::Cut1Click},
        {edit, &TGlossaryForm::Copy1, "Copy1", "&Copy", 'C', &TGlossaryForm::Copy1Click},
        {edit, &TGlossaryForm::Paste1, "Paste1", "&Paste", 'V', &TGlossaryForm::Paste1Click},
        {edit, &TGlossaryForm::PasteSpecial1, "PasteSpecial1", "Paste to &Document", 0,
         &TGlossaryForm::PasteSpecial1Click},
        {edit, nullptr, "N2", "-", 0, nullptr},
        {edit, &TGlossaryForm::Delete1, "Delete1", "&Delete", 0, &TGlossaryForm::Delete1Click},
    };
    for (const TItem& entry : items) {
        TMenuItem* item = AddItem(this, entry.Parent, entry.Name, entry.Caption);
        if (!entry.Member)
            continue;
        if (entry.Key != 0)
            item->SetShortCut(ShortCut(entry.Key, TShiftState{ssCtrl}));
        item->OnClick = Handler(this, entry.Click);
        this->*entry.Member = item;
    }
    SetMenu(menu);
}

// ---- Showing and choosing ----

void TGlossaryForm::FormShow(TObject* /*Sender*/) {
    KeepFormOnScreen(this);
    LoadTitles();
    if (LastItemIndex < GlossaryCombo->Items().Count())
        GlossaryCombo->SetItemIndex(LastItemIndex);
    if (GlossaryCombo->ItemIndex() >= 0)
        ShowPhrase(GlossaryCombo->Text());
}

void TGlossaryForm::LoadTitles() {
    GlossaryCombo->Items().Clear();
    GlossaryCombo->SetText("");
    EmptyMemo();
    Titles->Clear();
    if (!IndexReadable())
        return;
    if (!FileExists(IniFileName))
        MoveRegistryIndex();
    TIniFile ini(IniFileName);
    ini.ReadSection(PhraseSection, Titles.get());
    for (int i = 0; i < Titles->Count(); ++i)
        if (!PhraseFileOf((*Titles)[i]).empty())
            GlossaryCombo->Items().Add((*Titles)[i]);
}

bool TGlossaryForm::IndexReadable() {
    if (!FileExists(IniFileName) && !DirectoryExists(IniFileName))
        return true;
    try {
        ReadFileBytes(IniFileName);
    } catch (const Exception& e) {
        ShowError(*this, "The glossary cannot be read, so its phrases are not shown:\r\n" +
                             e.Message() + "\r\nThe file is left as it is.");
        return false;
    }
    return true;
}

void TGlossaryForm::MoveRegistryIndex() {
    const String oldKey = ProductSubKey("Glossary");
    TRegistry reg;
    if (!reg.KeyExists(oldKey))
        return;
    try {
        TStringList names;
        reg.OpenKey(oldKey, false);
        reg.GetValueNames(&names);
        TIniFile ini(IniFileName);
        for (int i = 0; i < names.Count(); ++i) {
            String path;
            ReadSetting(reg, names[i], path);
            if (!path.empty())
                ini.WriteString(PhraseSection, names[i], path);
        }
    } catch (const Exception& e) {
        ShowError(*this, "The glossary could not be moved out of the registry:\r\n" + e.Message() +
                             "\r\nIt stays there for the next try.");
        return;
    }
    reg.CloseKey();
    reg.DeleteKey(oldKey);
}

String TGlossaryForm::PhraseFileOf(const String& title) {
    TIniFile ini(IniFileName);
    return ini.ReadString(PhraseSection, title, "");
}

void TGlossaryForm::ShowPhrase(const String& title) {
    const String fileName = PhraseFileOf(title);
    EmptyMemo();
    SetMemoTabStops();
    GlossaryCombo->SetItemIndex(GlossaryCombo->Items().IndexOf(title));
    if (FileExists(fileName))
        LoadPhraseFile(fileName);
    else
        ShowMessage("Can't find file \"" + fileName + "\"");
    GlossaryMemo->SetModified(false);
}

// A title the glossary holds (in any case) shows its phrase. Any other text starts a new phrase:
// the memo empties, unless it holds unsaved text, which then waits to be saved under that title.
void TGlossaryForm::GlossaryComboChange(TObject* /*Sender*/) {
    const String title = GlossaryCombo->Text();
    if (!title.empty() && Titles->IndexOf(title) >= 0) {
        const String fileName = PhraseFileOf(title);
        if (fileName.empty() || !FileExists(fileName)) {
            ShowMessage("Can't find glossary file for \"" + title + "\"");
            return;
        }
        LoadPhraseFile(fileName);
        GlossaryMemo->SetModified(false);
    } else if (!GlossaryMemo->Modified()) {
        EmptyMemo();
    }
}

bool TGlossaryForm::LoadPhraseFile(const String& fileName) {
    try {
        GlossaryMemo->Lines().LoadFromFile(fileName);
    } catch (const Exception& e) {
        ShowError(*this, e.Message());
        return false;
    }
    return true;
}

void TGlossaryForm::EmptyMemo() {
    GlossaryMemo->Clear();
    GlossaryMemo->SetModified(false);
}

void TGlossaryForm::SetMemoTabStops() {
    const int stops = 20;
    GlossaryMemo->Paragraph().SetTabCount(stops);
    for (int k = 1; k <= stops; ++k)
        GlossaryMemo->Paragraph().SetTab(k - 1, k * TabWidth);
}

// ---- New, Save, Delete ----

void TGlossaryForm::New1Click(TObject* /*Sender*/) {
    GlossaryCombo->SetItemIndex(-1);
    GlossaryCombo->SetText("");
    GlossaryMemo->Clear();
    GlossaryCombo->SetFocus();
    GlossaryMemo->SetModified(false);
}

void TGlossaryForm::Save1Click(TObject* /*Sender*/) {
    SavePhrase();
}

bool TGlossaryForm::SavePhrase() {
    const String title = GlossaryCombo->Text();
    if (title.empty()) {
        ShowError(*this, "You must give the new item a title");
        return false;
    }
    if (!IsStorableTitle(title)) {
        ShowError(*this, "The title \"" + title +
                             "\" cannot be kept in the glossary.\r\nA title may not hold \"=\", "
                             "begin with \"[\" or \";\", or begin or end with a blank.");
        return false;
    }
    if (!IndexReadable())
        return false;
    String fileName = PhraseFileOf(title);
    const bool newFile = fileName.empty() || !FileExists(fileName);
    if (newFile) {
        try {
            fileName = NewPhraseFileName();
        } catch (const Exception& e) {
            ShowError(*this, Format("Cannot create new file -\r\n%s", e.Message().c_str()));
            return false;
        }
    }
    try {
        GlossaryMemo->Lines().SaveToFile(fileName);
        if (newFile)
            TIniFile(IniFileName).WriteString(PhraseSection, title, fileName);
    } catch (const Exception& e) {
        ShowError(*this, "The glossary item could not be saved:\r\n" + e.Message());
        return false;
    }
    LoadTitles();
    ShowPhrase(title);
    GlossaryMemo->SetModified(false);
    return true;
}

String TGlossaryForm::NewPhraseFileName() const {
    const String folder = IncludeTrailingPathDelimiter(
        TemplateFolder.empty() ? ExtractFileDir(IniFileName) : TemplateFolder);
    // The system's unique names are unique among its ".tmp" files only: each name whose ".glos"
    // file exists is held on to until a free one turns up, so that no name comes twice.
    std::vector<String> held;
    String fileName;
    do {
        const String temporary = GetTempFileName(folder, "htm");
        held.push_back(temporary);
        fileName = temporary.substr(0, temporary.size() - 4) + ".glos";
    } while (FileExists(fileName));
    for (const String& temporary : held)
        DeleteFile(temporary);
    return fileName;
}

void TGlossaryForm::Delete1Click(TObject* /*Sender*/) {
    const String title = GlossaryCombo->Text();
    if (!IndexReadable())
        return;
    if (!PhraseFileOf(title).empty()) {
        try {
            TIniFile(IniFileName).DeleteKey(PhraseSection, title);
        } catch (const Exception& e) {
            ShowError(*this, "The glossary item could not be deleted:\r\n" + e.Message());
            return;
        }
    }
    GlossaryMemo->Clear();
    LoadTitles();
    if (GlossaryCombo->Items().Count() > 0) {
        GlossaryCombo->SetItemIndex(0);
        for (int i = 0; i < Titles->Count(); ++i)
            if (!PhraseFileOf((*Titles)[i]).empty()) {
                ShowPhrase((*Titles)[i]);
                break;
            }
    }
    GlossaryMemo->SetModified(false);
}

// ---- The clipboard and the page ----

void TGlossaryForm::Cut1Click(TObject* /*Sender*/) {
    GlossaryMemo->SelectAll();
    GlossaryMemo->CutToClipboard();
}

void TGlossaryForm::Copy1Click(TObject* /*Sender*/) {
    const int start = GlossaryMemo->SelStart();
    const int length = GlossaryMemo->SelLength();
    GlossaryMemo->SelectAll();
    GlossaryMemo->CopyToClipboard();
    GlossaryMemo->SetSelStart(start);
    GlossaryMemo->SetSelLength(length);
}

void TGlossaryForm::Paste1Click(TObject* /*Sender*/) {
    GlossaryMemo->SetSelStart(GlossaryMemo->SelStart() + GlossaryMemo->SelLength());
    GlossaryMemo->PasteFromClipboard();
}

// With no page open there is nowhere to paste: the dialog stays for another choice.
void TGlossaryForm::PasteSpecial1Click(TObject* Sender) {
    if (!TargetEditor) {
        MessageBeep(0);
        return;
    }
    Copy1Click(Sender);
    TargetEditor->PasteFromClipboard();
    SetModalResult(mrOk);
}

// A phrase that was to be saved but could not be keeps the dialog open.
void TGlossaryForm::OKButtonClick(TObject* /*Sender*/) {
    if (GlossaryMemo->Modified() &&
        MessageBox(Handle(), "The current glossary item has been modified.\r\nSave it?",
                   DialogCaption, MB_YESNO | MB_ICONQUESTION) == IDYES &&
        !SavePhrase())
        return;
    LastItemIndex = GlossaryCombo->ItemIndex();
    SetModalResult(mrOk);
}
