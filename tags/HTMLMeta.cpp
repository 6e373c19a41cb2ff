#include "tags/HTMLMeta.h"

#include "platform/ComCtrls.h"
#include "platform/DateTime.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/FileUtils.h"
#include "platform/Menus.h"
#include "platform/Registry.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "services/ProgramSettings.h"

THTMLMetaForm* HTMLMetaForm = nullptr;

namespace {

const String DateHint = " If you enter the date as $DATE the RoveVovuri will convert it for you.";

TTabSheet* AddTab(TForm* form, TPageControl* pages, const String& name, const String& caption) {
    auto* sheet = NewComponent<TTabSheet>(form, name);
    sheet->SetPageControl(pages);
    sheet->SetCaption(caption);
    return sheet;
}

template <typename TBox>
TBox* AddField(TForm* form, TWinControl* parent, const String& name, const String& label, int top,
               const String& hint, int height = 21) {
    auto* caption = NewControl<TLabel>(form, parent, name + "Label", 8, top + 4, 130, 13);
    caption->SetCaption(label);
    auto* box = NewControl<TBox>(form, parent, name, 140, top, 300, height);
    caption->SetFocusControl(box);
    box->SetHint(hint);
    return box;
}

TCheckBox* AddCheck(TForm* form, TWinControl* parent, const String& name, const String& caption,
                    int left, int top, const String& hint) {
    auto* box = NewControl<TCheckBox>(form, parent, name, left, top, 200, 17);
    box->SetCaption(caption);
    box->SetHint(hint);
    return box;
}

TButton* AddButton(TForm* form, TWinControl* parent, const String& name, const String& caption,
                   int left, int top, int width = 90) {
    auto* button = NewControl<TButton>(form, parent, name, left, top, width, 25);
    button->SetCaption(caption);
    return button;
}

std::unordered_set<String> LoadExcludedWords() {
    std::unordered_set<String> words;
    if (!FileExists(ExcludedWordsFile()))
        return words;
    TStringList list;
    list.LoadFromFile(ExcludedWordsFile());
    for (int i = 0; i < list.Count(); ++i)
        words.insert(LowerCase(Trim(list[i])));
    return words;
}

// The number at the start of a piece of text, blanks before it skipped, a sign allowed.
int NumberAt(const String& text) {
    const String t = TrimLeft(text);
    size_t i = t.empty() || (t[0] != '-' && t[0] != '+') ? 0 : 1;
    int n = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9' && n < 100000; ++i)
        n = n * 10 + (t[i] - '0');
    return !t.empty() && t[0] == '-' ? -n : n;
}

// The first "/" of the text, else its first "-"; npos when it has neither.
size_t DateSeparator(const String& text) {
    const size_t slash = text.find('/');
    return slash != String::npos ? slash : text.find('-');
}

String LongDate(int year, int month, int day) {
    return FormatDateTime("ddd, d mmm, yyyy", EncodeDate(year, month, day)) + " 00:00:00 GMT";
}

} // namespace

String ExcludedWordsFile() {
    return ProgramFolder() + "exwords.txt";
}

THTMLMetaForm::THTMLMetaForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("HTMLMetaForm");
        SetCaption("Quiltmarker - Meta Tags");
        SetBorderStyle(bsDialog);
        SetClientWidth(470);
        SetClientHeight(420);
        PageControl1 = NewControl<TPageControl>(this, this, "PageControl1", 0, 0, 470, 310);
        BuildGeneralTab();
        BuildAdvancedTab();
        BuildRedirectionTab();
        BuildKeySheet();
        BuildHintAndButtons();
        BuildTabsMenu();
        OnCreate = Handler(this, &THTMLMetaForm::FormCreate);
    });
    Application->OnHint = Handler(this, &THTMLMetaForm::ShowApplicationHint);
}

// The hint handler goes with the dialog, which lives to the end of the run.
THTMLMetaForm::~THTMLMetaForm() {
    Application->OnHint = nullptr;
}

void THTMLMetaForm::BuildGeneralTab() {
    GeneralTab = AddTab(this, PageControl1, "GeneralTab", "&General");
    KeywordMemo = AddField<TMemo>(this, GeneralTab, "KeywordMemo", "Keywords", 8,
                                  "*Keywords for search engines, separated by commas.", 60);
    DescriptionEdit =
        AddField<TMemo>(this, GeneralTab, "DescriptionEdit", "Description", 76,
                        "*A short description of the page that search engines show.", 60);
    DescriptionEdit->SetScrollBars(ssVertical);
    DescriptionEdit->OnChange = Handler(this, &THTMLMetaForm::DescriptionEditChange);
    NewControl<TLabel>(this, GeneralTab, "Label1", 140, 140, 130, 13)
        ->SetCaption("Number of characters:");
    NumCharLabel = NewControl<TLabel>(this, GeneralTab, "NumCharLabel", 280, 140, 40, 13);
    NumCharLabel->SetCaption("0");
    RatingEdit = AddField<TEdit>(this, GeneralTab, "RatingEdit", "Rating", 160,
                                 "*The audience the page suits, such as General.");
    RatingEdit->SetText("General");
    RevisitEdit = AddField<TEdit>(this, GeneralTab, "RevisitEdit", "Revisit after", 186,
                                  "*How often search engines should come back, such as 30 days.");
    RevisitEdit->SetText("30 days");
    ObjectTypeEdit = AddField<TEdit>(this, GeneralTab, "ObjectTypeEdit", "Object type", 212,
                                     "*The kind of page, such as Homepage.");
    ObjectTypeEdit->SetText("Homepage");
    KeywordButton = AddButton(this, GeneralTab, "KeywordButton", "Keywords...", 8, 30);
    KeywordButton->SetHint("Count the words of the page to choose keywords from");
    KeywordButton->OnClick = Handler(this, &THTMLMetaForm::KeywordButtonClick);
    ClearAllButton1 = AddButton(this, GeneralTab, "ClearAllButton1", "&Clear All", 8, 236);
    ClearAllButton1->OnClick = Handler(this, &THTMLMetaForm::ClearAllButton1Click);
}

void THTMLMetaForm::BuildAdvancedTab() {
    AdvancedTab = AddTab(this, PageControl1, "AdvancedTab", "&Advanced");
    USDates = AddCheck(this, AdvancedTab, "USDates", "&U.S. date format", 8, 4,
                       "Dates are typed month/day/year");
    USDates->OnClick = Handler(this, &THTMLMetaForm::USDatesClick);
    ISOCheckBox = AddCheck(this, AdvancedTab, "ISOCheckBox", "Swedish/ISO date format", 220, 4,
                           "Dates are typed yyyymmdd");
    ISOCheckBox->OnClick = Handler(this, &THTMLMetaForm::ISOCheckBoxClick);
    CreationEdit = AddField<TEdit>(this, AdvancedTab, "CreationEdit", "Creation date", 26,
                                   "*The date the page was made, as Mon, 17 Jul, 1997 19:24:00 "
                                   "GMT." +
                                       DateHint);
    CreationEdit->OnChange = Handler(this, &THTMLMetaForm::CreationEditChange);
    ExpireEdit = AddField<TEdit>(this, AdvancedTab, "ExpireEdit", "Expiry date", 52,
                                 "*The date the page goes out of date, as Mon, 17 Jul, 1997 "
                                 "19:24:00 GMT." +
                                     DateHint);
    ExpireEdit->OnChange = Handler(this, &THTMLMetaForm::ExpireEditChange);
    DontIndexCheck = AddCheck(this, AdvancedTab, "DontIndexCheck", "Don't inde&x this page", 8, 80,
                              "Search engines are asked not to list the page");
    DontFollowCheck = AddCheck(this, AdvancedTab, "DontFollowCheck", "Don't &follow links", 220, 80,
                               "Search engines are asked not to follow the page's links");
    NoCacheCheck = AddCheck(this, AdvancedTab, "NoCacheCheck", "Do &not cache", 8, 100,
                            "Browsers are asked not to keep a copy of the page");
    ReplyToEdit = AddField<TEdit>(this, AdvancedTab, "ReplyToEdit", "E-mail", 122,
                                  "*The author's e-mail address.");
    TargetWindowEdit = AddField<TEdit>(this, AdvancedTab, "TargetWindowEdit", "Target window", 148,
                                       "The window the page is shown in");
    ResourceTypeCombo = AddField<TComboBox>(this, AdvancedTab, "ResourceTypeCombo", "Resource type",
                                            174, "*The kind of resource.");
    for (const char* item : {"", "document", "catalog", "bibliography", "news release"})
        ResourceTypeCombo->Items().Add(item);
    DistributionCombo = AddField<TComboBox>(this, AdvancedTab, "DistributionCombo", "Distribution",
                                            200, "*How widely the page is meant.");
    for (const char* item : {"", "global", "domestic", "local", "private"})
        DistributionCombo->Items().Add(item);
    CopyrightEdit = AddField<TEdit>(this, AdvancedTab, "CopyrightEdit", "Copyright", 226,
                                    "*The copyright holder and year.");
    CopyrightLabel = NewControl<TLabel>(this, AdvancedTab, "CopyrightLabel", 140, 250, 200, 13);
    CopyrightLabel->SetCaption("Name - year");
    ClearAllButton2 = AddButton(this, AdvancedTab, "ClearAllButton2", "&Clear All ", 350, 250);
    ClearAllButton2->OnClick = Handler(this, &THTMLMetaForm::ClearAllButton2Click);
    for (TControl* control :
         std::initializer_list<TControl*>{DontIndexCheck, DontFollowCheck, USDates, ISOCheckBox,
                                          NoCacheCheck, TargetWindowEdit, KeywordButton})
        control->OnMouseMove = Handler(this, &THTMLMetaForm::ControlMouseMove);
}

void THTMLMetaForm::BuildRedirectionTab() {
    RedirectionTab = AddTab(this, PageControl1, "RedirectionTab", "&Redirection");
    RedirectURLEdit = AddField<TEdit>(this, RedirectionTab, "RedirectURLEdit", "Redirect to (&URL)",
                                      8, "*The page to go on to.");
    RedirectSecsEdit = AddField<TEdit>(this, RedirectionTab, "RedirectSecsEdit", "&After (secs)",
                                       34, "*The seconds to wait before going on.");
    RedirectSecsEdit->SetText("5");
    Button1 = AddButton(this, RedirectionTab, "Button1", "&Clear All ", 8, 64);
}

void THTMLMetaForm::BuildKeySheet() {
    KeySheet = AddTab(this, PageControl1, "KeySheet", "Keywords");
    KeySheet->SetTabVisible(false);
    KeyList = NewControl<TListBox>(this, KeySheet, "KeyList", 8, 8, 300, 240);
    KeyList->SetMultiSelect(true);
    AddKeyButton = AddButton(this, KeySheet, "AddKeyButton", "Add to Keywords", 320, 8, 130);
    AddKeyButton->OnClick = Handler(this, &THTMLMetaForm::AddKeyButtonClick);
    AddExButton = AddButton(this, KeySheet, "AddExButton", "Add toExclude List", 320, 40, 130);
    AddExButton->OnClick = Handler(this, &THTMLMetaForm::AddExButtonClick);
    Button2 = AddButton(this, KeySheet, "Button2", "&Unselect all", 320, 72, 130);
    Button2->OnClick = Handler(this, &THTMLMetaForm::Button2Click);
}

void THTMLMetaForm::BuildHintAndButtons() {
    HintPanel = NewControl<TPanel>(this, this, "HintPanel", 0, 310, 470, 70);
    NewControl<TLabel>(this, HintPanel, "HintsLabel", 8, 4, 40, 13)->SetCaption("Hints:");
    HintLabel = NewControl<TLabel>(this, HintPanel, "HintLabel", 56, 4, 400, 60);
    HintLabel->SetAutoSize(false);
    HintLabel->SetWordWrap(true);
    HintLabel->SetCaption("");
    ButtonPanel = NewControl<TPanel>(this, this, "ButtonPanel", 0, 380, 470, 40);
    OKButton = AddButton(this, ButtonPanel, "OKButton", "OK", 300, 8, 75);
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    OKButton->OnClick = Handler(this, &THTMLMetaForm::OKButtonClick);
    CancelButton = AddButton(this, ButtonPanel, "CancelButton", "Cancel", 385, 8, 75);
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
}

// A menu never shown, for its shortcuts to the pages.
void THTMLMetaForm::BuildTabsMenu() {
    auto* menu = NewComponent<TMainMenu>(this, "MainMenu1");
    TMenuItem* tabs = AddItem(this, menu->Items(), "Tabs1", "Tabs");
    tabs->SetVisible(false);
    struct TTabItem {
        const char* Name;
        const char* Caption;
        WORD Key;
        void (THTMLMetaForm::*Click)(TObject*);
    };
    const TTabItem items[] = {
        {"GeneralTab2", "General", 'G', &THTMLMetaForm::GeneralTab2Click},
        {"AdvancedTab1", "Advanced", 'T', &THTMLMetaForm::AdvancedTab1Click},
        {"RedirectionTab1", "Redirection", 'R', &THTMLMetaForm::RedirectionTab1Click},
    };
    for (const TTabItem& entry : items) {
        TMenuItem* item = AddItem(this, tabs, entry.Name, entry.Caption);
        item->SetShortCut(ShortCut(entry.Key, TShiftState{ssCtrl}));
        item->OnClick = Handler(this, entry.Click);
    }
    SetMenu(menu);
}

void THTMLMetaForm::FormCreate(TObject* /*Sender*/) {
    Application->SetHintHidePause(5000);
    USDates->SetChecked(false);
    ISOCheckBox->SetChecked(false);
    ReadSettings();
    PageControl1->SetActivePage(GeneralTab);
}

void THTMLMetaForm::ReadSettings() {
    TRegistry reg;
    if (!reg.OpenKey(ProductKey, true))
        return;
    if (reg.ValueExists("Meta USDateFormat") && reg.ReadBool("Meta USDateFormat"))
        USDates->SetChecked(true);
    if (reg.ValueExists("Meta ISODateFormat") && reg.ReadBool("Meta ISODateFormat"))
        ISOCheckBox->SetChecked(true);
    if (reg.ValueExists("Meta EMail"))
        ReplyToEdit->SetText(reg.ReadString("Meta EMail"));
    const String copyright =
        reg.ValueExists("Meta Copyright") ? reg.ReadString("Meta Copyright") : String();
    if (!copyright.empty()) {
        int year = 0, month = 0, day = 0;
        DecodeDate(Date(), year, month, day);
        const String holder = copyright + " - " + IntToStr(year);
        CopyrightEdit->SetText(holder);
        CopyrightLabel->SetCaption(holder);
    }
}

TMetaFields THTMLMetaForm::Fields() const {
    TMetaFields f;
    f.Keywords = KeywordMemo->Text();
    f.Description = DescriptionEdit->Text();
    f.Rating = RatingEdit->Text();
    f.Revisit = RevisitEdit->Text();
    f.ObjectType = ObjectTypeEdit->Text();
    f.RedirectURL = RedirectURLEdit->Text();
    f.RedirectSecs = RedirectSecsEdit->Text();
    f.Creation = CreationEdit->Text();
    f.Expire = ExpireEdit->Text();
    f.ReplyTo = ReplyToEdit->Text();
    f.ResourceType = ResourceTypeCombo->Text();
    f.Distribution = DistributionCombo->Text();
    f.Copyright = CopyrightEdit->Text();
    f.TargetWindow = TargetWindowEdit->Text();
    f.DontIndex = DontIndexCheck->Checked();
    f.DontFollow = DontFollowCheck->Checked();
    f.NoCache = NoCacheCheck->Checked();
    return f;
}

void THTMLMetaForm::SetFields(const TMetaFields& f) {
    KeywordMemo->SetText(f.Keywords);
    DescriptionEdit->SetText(f.Description);
    RatingEdit->SetText(f.Rating);
    RevisitEdit->SetText(f.Revisit);
    ObjectTypeEdit->SetText(f.ObjectType);
    RedirectURLEdit->SetText(f.RedirectURL);
    RedirectSecsEdit->SetText(f.RedirectSecs);
    CreationEdit->SetText(f.Creation);
    ExpireEdit->SetText(f.Expire);
    ReplyToEdit->SetText(f.ReplyTo);
    ResourceTypeCombo->SetText(f.ResourceType);
    DistributionCombo->SetText(f.Distribution);
    CopyrightEdit->SetText(f.Copyright);
    TargetWindowEdit->SetText(f.TargetWindow);
    DontIndexCheck->SetChecked(f.DontIndex);
    DontFollowCheck->SetChecked(f.DontFollow);
    NoCacheCheck->SetChecked(f.NoCache);
}

void THTMLMetaForm::ShowApplicationHint(TObject* /*Sender*/) {
    const String& hint = Application->Hint();
    if (hint.empty() || hint[0] != '*') {
        HintLabel->SetCaption("");
        return;
    }
    String text = hint.substr(1);
    const size_t date = text.find("$DATE");
    if (date != String::npos) {
        const char* pattern = USDates->Checked()       ? "m/d/yy"
                              : ISOCheckBox->Checked() ? "yyyymmdd"
                                                       : "d/m/yy";
        text.replace(date, 5, pattern);
    }
    HintLabel->SetCaption(text);
}

void THTMLMetaForm::ControlMouseMove(TObject* Sender, TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
    HintLabel->SetCaption(static_cast<TControl*>(Sender)->Hint());
}

void THTMLMetaForm::WriteDateFormats() {
    TRegistry reg;
    if (!reg.OpenKey(ProductKey, true))
        return;
    reg.WriteBool("Meta USDateFormat", USDates->Checked());
    reg.WriteBool("Meta ISODateFormat", ISOCheckBox->Checked());
}

void THTMLMetaForm::USDatesClick(TObject* /*Sender*/) {
    if (USDates->Checked())
        ISOCheckBox->SetChecked(false);
    WriteDateFormats();
}

void THTMLMetaForm::ISOCheckBoxClick(TObject* /*Sender*/) {
    if (ISOCheckBox->Checked())
        USDates->SetChecked(false);
    WriteDateFormats();
}

String THTMLMetaForm::NormaliseDate(const String& text) const {
    if (ISOCheckBox->Checked()) {
        if (text.size() < 8)
            return text;
        const int year = NumberAt(text.substr(0, 4));
        const int month = NumberAt(text.substr(4, 2));
        const int day = NumberAt(text.substr(6, 2));
        if (year < 1900 || year > 2050 || month < 1 || month > 12 || day < 1 || day > 31)
            return text;
        return LongDate(year, month, day);
    }
    const size_t first = DateSeparator(text);
    if (first == String::npos)
        return text;
    const String rest = text.substr(first + 1);
    const size_t second = DateSeparator(rest);
    if (second == String::npos || rest.size() - second - 1 < 2)
        return text;
    int year = NumberAt(rest.substr(second + 1));
    year += year >= 81 && year <= 99 ? 1900 : 2000;
    const int a = NumberAt(text);
    const int b = NumberAt(rest);
    return USDates->Checked() ? LongDate(year, a, b) : LongDate(year, b, a);
}

// A date that does not exist is reported as every other failure of a command is; the box keeps
// what was typed.
void THTMLMetaForm::NormaliseDateIn(TEdit* edit) {
    try {
        const String normal = NormaliseDate(edit->Text());
        if (normal != edit->Text())
            edit->SetText(normal);
    } catch (const Exception& error) {
        Application->ShowException(error);
    }
}

void THTMLMetaForm::CreationEditChange(TObject* /*Sender*/) {
    NormaliseDateIn(CreationEdit);
}

void THTMLMetaForm::ExpireEditChange(TObject* /*Sender*/) {
    NormaliseDateIn(ExpireEdit);
}

void THTMLMetaForm::DescriptionEditChange(TObject* /*Sender*/) {
    NumCharLabel->SetCaption(IntToStr(static_cast<int64_t>(DescriptionEdit->Text().size())));
}

void THTMLMetaForm::ClearAllButton1Click(TObject* /*Sender*/) {
    for (TWinControl* box :
         std::initializer_list<TWinControl*>{KeywordMemo, DescriptionEdit, RatingEdit, RevisitEdit,
                                             ObjectTypeEdit, RedirectURLEdit, RedirectSecsEdit})
        box->SetText("");
}

void THTMLMetaForm::ClearAllButton2Click(TObject* /*Sender*/) {
    for (TWinControl* box : std::initializer_list<TWinControl*>{
             CreationEdit, ExpireEdit, ReplyToEdit, ResourceTypeCombo, DistributionCombo,
             CopyrightEdit, TargetWindowEdit})
        box->SetText("");
    for (TCheckBox* box : {DontIndexCheck, DontFollowCheck, NoCacheCheck})
        box->SetChecked(false);
}

void THTMLMetaForm::KeywordButtonClick(TObject* /*Sender*/) {
    const std::vector<TKeywordCount> counts =
        CountKeywords(SourceEditor ? SourceEditor->Text() : String(), LoadExcludedWords());
    if (counts.empty())
        ShowMessage("No words found");
    else {
        KeyList->Clear();
        for (const TKeywordCount& keyword : counts)
            KeyList->Items().Add(KeywordItem(keyword));
    }
    KeySheet->SetTabVisible(true);
    PageControl1->SetActivePage(KeySheet);
}

std::vector<String> THTMLMetaForm::SelectedWords() const {
    std::vector<String> words;
    for (int i = 0; i < KeyList->Items().Count(); ++i)
        if (KeyList->Selected(i))
            words.push_back(WordOfItem(KeyList->Items()[i]));
    return words;
}

void THTMLMetaForm::AddKeyButtonClick(TObject* /*Sender*/) {
    String joined;
    for (const String& word : SelectedWords())
        joined += (joined.empty() ? "" : ",") + word;
    if (joined.empty())
        return;
    const String old = KeywordMemo->Text();
    KeywordMemo->SetText(old.empty() ? joined : old + "," + joined);
    PageControl1->SetActivePage(GeneralTab);
}

void THTMLMetaForm::AddExButtonClick(TObject* /*Sender*/) {
    TStringList list;
    if (FileExists(ExcludedWordsFile()))
        list.LoadFromFile(ExcludedWordsFile());
    for (const String& word : SelectedWords())
        if (list.IndexOf(word) < 0)
            list.Add(word);
    list.SaveToFile(ExcludedWordsFile());
    ShowMessage("Words successfully saved to exclude list");
}

void THTMLMetaForm::Button2Click(TObject* /*Sender*/) {
    for (int i = 0; i < KeyList->Items().Count(); ++i)
        KeyList->SetSelected(i, false);
}

void THTMLMetaForm::GeneralTab2Click(TObject* /*Sender*/) {
    PageControl1->SetActivePage(GeneralTab);
}

void THTMLMetaForm::AdvancedTab1Click(TObject* /*Sender*/) {
    PageControl1->SetActivePage(AdvancedTab);
}

void THTMLMetaForm::RedirectionTab1Click(TObject* /*Sender*/) {
    PageControl1->SetActivePage(RedirectionTab);
}

void THTMLMetaForm::OKButtonClick(TObject* /*Sender*/) {
    const String copyright = CopyrightEdit->Text();
    if (!copyright.empty()) {
        TRegistry reg;
        if (reg.OpenKey(ProductKey, true)) {
            reg.WriteString("Meta Copyright", copyright.substr(0, copyright.find(" - ")));
            reg.WriteString("Meta EMail", ReplyToEdit->Text());
        }
    }
    SetModalResult(mrOk);
}
