// The twenty document pages, stepping through them, the accessors through which every command
// reaches a page, and the status bar.

#include "editor/CorvaletForm.h"

#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "widgets/QmToolbars.h"

#include <algorithm>

namespace {

// True while the Insert key's toggle is off, as the key state reports it.
bool InsertToggleClear() {
    return (GetKeyState(VK_INSERT) & 0x0F) == 0;
}

String PluralOf(int count, const char* singular, const char* plural) {
    return count == 1 ? singular : plural;
}

} // namespace

void THTMLEMainForm::BuildStatusBar() {
    StatusBar1 = NewControl<TStatusBar>(this, this, "StatusBar1");
    StatusBar1->SetAlign(alBottom);
    StatusBar1->SetSimplePanel(false);
    StatusBar1->SetSizeGrip(false);
    StatusBar1->SetShowHint(true);
    const std::pair<int, const char*> Panels[] = {
        {95, "Size:"}, {300, "Folder:"}, {150, "File: "},
        {25, "INS"},   {50, ""},         {167, "No files open / None modified"},
    };
    for (auto [width, text] : Panels) {
        TStatusPanel* panel = StatusBar1->Panels().Add();
        panel->SetWidth(width);
        panel->SetText(text);
    }
}

void THTMLEMainForm::BuildDocumentPages() {
    TabsRight1 = AddItem(this, Invis1, "TabsRight1", "TabsRight");
    TabsRight1->SetShortCut(ShortCut(VK_TAB, ssCtrl));
    TabsLeft1 = AddItem(this, Invis1, "TabsLeft1", "TabsLeft");
    TabsLeft1->SetShortCut(ShortCut(VK_TAB, TShiftState{ssCtrl, ssShift}));

    PageControl1 = NewControl<TPageControl>(this, this, "PageControl1");
    PageControl1->SetAlign(alClient);
    PageControl1->SetMultiLine(true);
    PageControl1->SetShowHint(true);
    PageControl1->SetPopupMenu(MainPopupMenu);
    for (int page = 0; page < PageCount; ++page) {
        String number = IntToStr(page + 1);
        TTabSheet* sheet = NewComponent<TTabSheet>(this, "TabSheet" + number);
        sheet->SetPageControl(PageControl1);
        sheet->SetCaption("");
        TRichEdit* editor = NewControl<TRichEdit>(this, sheet, "Memo" + number);
        editor->SetAlign(alClient);
        editor->SetPlainText(true);
        editor->SetWantTabs(true);
        editor->SetHideSelection(false);
        editor->SetScrollBars(ssVertical);
        editor->SetPopupMenu(MainPopupMenu);
        TabSheets[page] = sheet;
        Memos[page] = editor;
    }
    for (TTabSheet* sheet : TabSheets)
        sheet->SetTabVisible(false);
    PageControl1->SetActivePage(TabSheets[0]);
    PageControl1->SetVisible(false);
}

void THTMLEMainForm::BindDocumentPages() {
    for (TRichEdit* editor : Memos) {
        editor->OnChange = Handler(this, &THTMLEMainForm::Memo1Change);
        editor->OnEnter = Handler(this, &THTMLEMainForm::Memo1Enter);
        editor->OnExit = Handler(this, &THTMLEMainForm::Memo1Exit);
        editor->OnEndDrag = Handler(this, &THTMLEMainForm::Memo1EndDrag);
        editor->OnMouseUp = Handler(this, &THTMLEMainForm::Memo1MouseUp);
    }
    PageControl1->OnChange = Handler(this, &THTMLEMainForm::PageControl1Change);
    StatusBar1->OnMouseMove = Handler(this, &THTMLEMainForm::StatusBar1MouseMove);
    TabsRight1->OnClick = Handler(this, &THTMLEMainForm::TabsRight);
    TabsLeft1->OnClick = Handler(this, &THTMLEMainForm::TabsLeft1Click);
}

TRichEdit* THTMLEMainForm::GetMemo(int page) const {
    TTabSheet* sheet = GetPage(page);
    if (!sheet)
        return nullptr;
    for (int i = 0; i < sheet->ControlCount(); ++i) {
        auto* editor = dynamic_cast<TRichEdit*>(sheet->Controls(i));
        if (!editor)
            continue;
        if (page == -1 && (!editor->Visible() || editor == PrinterForm))
            return nullptr;
        return editor;
    }
    return nullptr;
}

bool THTMLEMainForm::PageInUse(int page) const {
    TTabSheet* sheet = GetPage(page);
    return sheet && sheet->TabVisible();
}

bool THTMLEMainForm::AnyDocumentOpen() const {
    for (int page = 0; page < PageCount; ++page)
        if (PageInUse(page))
            return true;
    return false;
}

bool THTMLEMainForm::EditorPageOpen() const {
    return AnyDocumentOpen() && GetMemo(-1);
}

TTabSheet* THTMLEMainForm::GetPage(int page) const {
    if (page == -1)
        return PageControl1->ActivePage();
    return page >= 0 && page < PageCount ? TabSheets[page] : nullptr;
}

int THTMLEMainForm::FirstFreePage() const {
    for (int page = 0; page < PageCount; ++page)
        if (!PageInUse(page))
            return page;
    return -1;
}

int THTMLEMainForm::ActivePageIndex() const {
    return PageControl1->ActivePageIndex();
}

bool THTMLEMainForm::IsUntitled(const String& fileName) {
    return fileName.compare(0, 9, "[untitled") == 0;
}

String THTMLEMainForm::ActiveFileName() const {
    if (!PageInUse(-1))
        return "";
    const String& name = FileNames[ActivePageIndex()];
    return IsUntitled(name) ? "" : name;
}

String THTMLEMainForm::TagNameAtCaret() const {
    TRichEdit* editor = GetMemo(-1);
    if (!editor)
        return "";
    const String text = editor->Text();
    // The 1-based position of the character before the caret.
    int k = editor->SelStart();
    while (k > 0 && text[k - 1] != '<' && text[k - 1] != '>')
        --k;
    if (k == 0 || text[k - 1] == '>')
        return "";
    int stop = k + 1;
    int length = static_cast<int>(text.size());
    while (stop <= length && text[stop - 1] != ' ' && text[stop - 1] != '>' &&
           text[stop - 1] != '<')
        ++stop;
    if (stop > length || text[stop - 1] == '<')
        return "";
    return Copy(text, k + 1, stop - k - 1);
}

String THTMLEMainForm::TagNameOutsideComment() const {
    String name = TagNameAtCaret();
    return name.rfind("!--", 0) == 0 ? String() : name;
}

int THTMLEMainForm::LineOfPosition(TRichEdit* editor, int position) const {
    int length = editor->GetTextLen();
    if (position > length)
        return length;
    return static_cast<int>(editor->Perform(EM_EXLINEFROMCHAR, 0, position));
}

int THTMLEMainForm::FirstVisibleLine(TRichEdit* editor) const {
    return static_cast<int>(editor->Perform(EM_GETFIRSTVISIBLELINE, 0, 0));
}

void THTMLEMainForm::ScrollToLine(TRichEdit* editor, int line) {
    int first = FirstVisibleLine(editor);
    if (line != first)
        editor->Perform(EM_LINESCROLL, 0, line - first);
}

void THTMLEMainForm::ScrollToCaret(TRichEdit* /*editor*/, int lines) {
    TRichEdit* active = GetMemo(-1);
    if (!active)
        return;
    if (lines == -1)
        active->Perform(EM_SCROLLCARET, 0, 0);
    else
        active->Perform(EM_LINESCROLL, 0, lines);
}

int THTMLEMainForm::SaveEditorView(TRichEdit* editor, int* selStart, int* selLength) {
    // The first line on screen may be the continuation of a wrapped line: the
    // view is kept by the start of the text's own line.
    int firstLine = editor->DocumentLineOfScreenLine(FirstVisibleLine(editor));
    int firstIndex = static_cast<int>(editor->Perform(EM_LINEINDEX, firstLine, 0));
    editor->SetEnabled(false);
    if (selStart)
        *selStart = editor->SelStart();
    if (selLength)
        *selLength = editor->SelLength();
    return firstIndex;
}

// Scrolls to the line saved, wherever the rewrite left the view. The selection goes first: placing
// it brings the caret into view, which would undo the scrolling.
void THTMLEMainForm::RestoreEditorView(TRichEdit* editor, int firstVisibleIndex, int selStart,
                                       int selLength) {
    if (selStart >= 0)
        editor->SetSelStart(selStart);
    if (selLength >= 0)
        editor->SetSelLength(selLength);
    ScrollToLine(editor,
                 editor->ScreenLineOfDocumentLine(LineOfPosition(editor, firstVisibleIndex)));
    editor->SetEnabled(true);
}

void THTMLEMainForm::UpdateStatusBar() {
    UpdateInsertMode();
    TStatusPanels& panels = StatusBar1->Panels();
    if (!AnyDocumentOpen()) {
        panels.Items(CaretPanel)->SetText(ShowLineNumbers ? "Line:" : "Char:");
        panels.Items(FolderPanel)->SetText("Folder:");
        panels.Items(FilePanel)->SetText("File:");
        panels.Items(ModifiedPanel)->SetText("");
        panels.Items(CountPanel)->SetText("No files open/None modified");
        panels.Items(InsertPanel)->SetText("");
        return;
    }
    UpdateLinePosition();
    const String& name = ActivePageIndex() >= 0 ? FileNames[ActivePageIndex()] : String();
    panels.Items(FolderPanel)->SetText("Folder: " + ExtractFilePath(name));
    panels.Items(FilePanel)->SetText("File: " + ExtractFileName(name));
    int open = 0;
    int modified = 0;
    for (int page = 0; page < PageCount; ++page) {
        if (!PageInUse(page))
            continue;
        ++open;
        if (GetMemo(page)->Modified())
            ++modified;
    }
    panels.Items(CountPanel)
        ->SetText(IntToStr(open) + PluralOf(open, " file open", " files open") + " / " +
                  (modified == 0 ? String("No") : IntToStr(modified)) +
                  PluralOf(modified, " file", " files") + " modified");
    TRichEdit* active = GetMemo(-1);
    panels.Items(ModifiedPanel)->SetText(active && active->Modified() ? "Modified" : "");
    UpdateDocumentCommands();
}

void THTMLEMainForm::UpdateLinePosition() {
    TRichEdit* editor = GetMemo(-1);
    String text;
    if (ShowLineNumbers) {
        int end = editor ? editor->SelStart() + editor->SelLength() : 0;
        int line = editor ? static_cast<int>(editor->Perform(EM_LINEFROMCHAR, end, 0)) + 1 : 1;
        int start = editor ? static_cast<int>(editor->Perform(EM_LINEINDEX, line - 1, 0)) : 0;
        text = Format("Line: %4d: %4d", line, end - start + 1);
    } else {
        text = "Char: ";
        if (editor && AnyDocumentOpen())
            text += IntToStr(editor->SelStart() + 1);
    }
    StatusBar1->Panels().Items(CaretPanel)->SetText(text);
}

// The editor's tag follows its overwrite state: the control switches itself on
// the Insert key, and a change of the key's toggle seen while the editor has
// the focus is that switch.
void THTMLEMainForm::UpdateInsertMode() {
    TRichEdit* editor = GetMemo(-1);
    if (!editor) {
        StatusBar1->Panels().Items(InsertPanel)->SetText("");
        return;
    }
    if (!editor->Focused())
        return;
    // The editor's own mode: the keys that brought it there (Shift+Insert pastes, Ctrl+Insert
    // copies) cannot mislead the panel.
    StatusBar1->Panels().Items(InsertPanel)->SetText(editor->Overwrite() ? "OW" : "INS");
}

void THTMLEMainForm::TellPageLoaded(int page) {
    for (const auto& feature : FFeatures)
        feature->PageLoaded(page);
}

bool THTMLEMainForm::DocumentCommandsEnabled() const {
    return AnyDocumentOpen() || ForceCommandsEnabled;
}

void THTMLEMainForm::UpdateDocumentCommands() {
    for (const auto& feature : FFeatures)
        feature->UpdateCommands();
    UpdateInsertMode();
}

void THTMLEMainForm::EnableDocumentCommands() {
    ForceCommandsEnabled = true;
    UpdateDocumentCommands();
}

void THTMLEMainForm::HidePopupLists() {
    for (const auto& feature : FFeatures)
        feature->HidePopupLists();
}

namespace {

// The next page in use from current in the direction step, going round; current
// itself when it is the only one.
int NextPageInUse(const THTMLEMainForm& form, int current, int step) {
    int count = THTMLEMainForm::PageCount;
    for (int distance = 1; distance <= count; ++distance) {
        int page = ((current + step * distance) % count + count) % count;
        if (form.PageInUse(page))
            return page;
    }
    return -1;
}

} // namespace

void THTMLEMainForm::ActivateNextPage(int step) {
    if (!AnyDocumentOpen())
        return;
    PageControl1->SetActivePage(TabSheets[NextPageInUse(*this, ActivePageIndex(), step)]);
    PageControl1Change(PageControl1);
}

void THTMLEMainForm::TabsRight(TObject* /*Sender*/) {
    ActivateNextPage(1);
}

void THTMLEMainForm::TabsLeft1Click(TObject* /*Sender*/) {
    ActivateNextPage(-1);
}

void THTMLEMainForm::Memo1Change(TObject* /*Sender*/) {
    HidePopupLists();
    if (!StatusUpdateSuppressed)
        UpdateStatusBar();
}

void THTMLEMainForm::PageControl1Change(TObject* /*Sender*/) {
    PageControl1->SetVisible(AnyDocumentOpen());
    FocusActivePage();
    UpdateStatusBar();
}

void THTMLEMainForm::FocusActivePage() {
    if (TRichEdit* editor = GetMemo(-1); editor && PageInUse(-1) && editor->CanFocus())
        editor->SetFocus();
}

void THTMLEMainForm::Memo1Enter(TObject* /*Sender*/) {
    if (TRichEdit* editor = GetMemo(-1)) {
        bool locked = LockWindowUpdate(Handle());
        editor->Repaint();
        if (locked)
            LockWindowUpdate(nullptr);
    }
    LastInsertToggle = InsertToggleClear();
    UpdateLinePosition();
}

void THTMLEMainForm::Memo1Exit(TObject* /*Sender*/) {
    Screen->SetCursor(crDefault);
}

void THTMLEMainForm::Memo1EndDrag(TObject* /*Sender*/, TObject* /*Target*/, int /*X*/, int /*Y*/) {
    Screen->SetCursor(crDefault);
}

void THTMLEMainForm::Memo1MouseUp(TObject* /*Sender*/, TMouseButton Button, TShiftState Shift,
                                  int /*X*/, int /*Y*/) {
    LastMouseButton = Button;
    LastShiftState = Shift;
    Screen->SetCursor(crDefault);
}

void THTMLEMainForm::StatusBar1MouseMove(TObject* /*Sender*/, TShiftState /*Shift*/, int /*X*/,
                                         int /*Y*/) {
    StatusBar1->SetHint(PageInUse(-1) ? FileNames[ActivePageIndex()]
                                      : String("No active document"));
}

std::vector<int> THTMLEMainForm::PagesShowing(const std::vector<String>& paths) const {
    std::vector<int> pages;
    for (int page = 0; page < PageCount; ++page)
        if (PageInUse(page) &&
            std::find(paths.begin(), paths.end(), FileNames[page]) != paths.end())
            pages.push_back(page);
    return pages;
}

void THTMLEMainForm::ReloadPages(const std::vector<int>& pages, const String& caption) {
    for (int page : pages) {
        try {
            Memos[page]->Lines().LoadFromFile(FileNames[page]);
            Memos[page]->SetModified(false);
        } catch (const Exception& failure) {
            MessageBox(Handle(), failure.Message(), caption, MB_OK | MB_ICONERROR);
        }
    }
}
