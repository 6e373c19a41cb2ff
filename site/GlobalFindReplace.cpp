#include "site/GlobalFindReplace.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/Documents.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "editor/FindReplaceForm.h"
#include "editor/GlobalProgressForm.h"
#include "editor/GlobalReplaceForm.h"
#include "editor/TextTransforms.h"
#include "platform/Events.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/Grids.h"
#include "site/FilePane.h"
#include "site/ReportPane.h"
#include "widgets/QmToolbars.h"

#include <algorithm>
#include <string_view>

namespace {

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// The line holding the occurrence at found, from the nearest line break before it (not before
// from, where the search resumed after an earlier occurrence) to the nearest after it, without
// its line-break characters.
String OccurrenceLine(std::string_view text, size_t from, size_t found, size_t length) {
    size_t start = found;
    while (start > from && !IsLineBreak(text[start - 1]))
        --start;
    size_t end = found + length;
    while (end < text.size() && !IsLineBreak(text[end]))
        ++end;
    String line;
    for (char c : text.substr(start, end - start))
        if (!IsLineBreak(c))
            line += c;
    return line;
}

} // namespace

TGlobalFileResult SearchText(const String& text, const TGlobalSearch& search, String& output) {
    TGlobalFileResult result;
    output.clear();
    if (search.Find.empty())
        return result;
    String folded = search.MatchCase ? String() : LowerCase(text);
    std::string_view searched = search.MatchCase ? std::string_view(text) : folded;
    size_t from = 0;
    for (size_t found = searched.find(search.Find); found != std::string_view::npos;
         found = searched.find(search.Find, from)) {
        ++result.Count;
        if (!search.FindOnly) {
            output.append(text, from, found - from);
            output += search.Replace;
        }
        if (search.ShowLines)
            result.Lines.push_back(OccurrenceLine(text, from, found, search.Find.size()));
        from = found + search.Find.size();
    }
    if (result.Count > 0 && !search.FindOnly)
        output.append(text, from, String::npos);
    return result;
}

TGlobalFileResult SearchFile(const String& path, const TGlobalSearch& search,
                             TAtomicWriteBatch& batch) {
    String text;
    TLineBreaks lineBreaks;
    try {
        text = AdjustLineBreaks(ReadFileBytes(path), false, lineBreaks);
    } catch (const Exception& failure) {
        TGlobalFileResult result;
        result.Problem = failure.Message();
        return result;
    }
    String output;
    TGlobalFileResult result = SearchText(text, search, output);
    if (result.Count == 0 || search.FindOnly)
        return result;
    try {
        batch.Add(path, AdjustLineBreaks(std::move(output), lineBreaks.Style));
        result.Rewritten = true;
    } catch (const Exception& failure) {
        result.Problem = failure.Message();
    }
    return result;
}

String FoundText(int count, bool findOnly) {
    String blanks = count < 10 ? "    " : count < 100 ? "  " : "";
    return blanks + IntToStr(count) + (findOnly ? " occurrence" : " replacement") +
           (count > 1 ? "s" : "");
}

// ---- The main window's command ----

namespace {

// The files of one run, the first of those selected.
const size_t MaxFiles = 500;

// What a run gathers over the files for the result dialog and the report.
struct TGlobalRun {
    std::vector<String> ReportLines;
    std::vector<String> Rewritten;
    std::vector<String> Problems;
};

void AddReportLines(TGlobalRun& run, const String& name, const std::vector<String>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        run.ReportLines.push_back(i == 0 ? "==================== " + name + " ===================="
                                         : String("--------------------"));
        run.ReportLines.push_back(lines[i]);
    }
}

// A file left as it was gets its reason in the grid ("Not read", "Not written").
String ProblemText(const TGlobalFileResult& result) {
    return result.Count == 0 ? TGlobalReplaceForm::NotReadText : TGlobalReplaceForm::NotWrittenText;
}

// Each line followed by CR LF.
String LinesText(const std::vector<String>& lines) {
    String text;
    for (const String& line : lines)
        text += line + "\r\n";
    return text;
}

// The names selected in the list, in list order, at most limit.
std::vector<String> SelectedNames(const TFileListBox& list, size_t limit) {
    std::vector<String> names;
    for (int i = 0; i < list.Items().Count() && names.size() < limit; ++i)
        if (list.Selected(i))
            names.push_back(list.Items()[i]);
    return names;
}

void ResetGrid(TStringGrid& grid) {
    grid.SetColWidths(0, 120);
    grid.SetColWidths(1, 120);
    grid.Cols(0).Clear();
    grid.Cols(1).Clear();
    grid.SetRowCount(2);
    grid.SetCells(0, 0, "File");
    grid.SetCells(1, 0, "Found");
}

} // namespace

void TGlobalFindReplace::Build() {
    GlobalReplace = InsertItem(&Form, Form.Edit1, Form.ElementNavigation->GoTo1->MenuIndex(),
                               "GlobalReplace", "&Global Replace...");
    GlobalReplace->SetHint("Replace a word or phrase in all listed documents");
    GlobalReplaceButton =
        Form.InsertToolbarButton(Form.EditToolbar, Form.TextTransforms->UnindentButton,
                                 "GlobalReplaceButton", "Global Replace");
}

void TGlobalFindReplace::Bind() {
    GlobalReplace->OnClick = Handler(this, &TGlobalFindReplace::GlobalReplaceClick);
    GlobalReplaceButton->OnClick = Handler(this, &TGlobalFindReplace::GlobalReplaceClick);
    GlobalReplaceButton->OnMouseDown =
        Handler(this, &TGlobalFindReplace::GlobalReplaceButtonMouseDown);
}

void TGlobalFindReplace::GlobalReplaceButtonMouseDown(TObject* /*Sender*/, TMouseButton /*Button*/,
                                                      TShiftState Shift, int /*X*/, int /*Y*/) {
    Form.LastShiftState = Shift;
}

// The options dialog is gone by now, so the kind of files is the stored choice; case follows the
// last Global Replace.
bool TGlobalFindReplace::RunGlobalReplace(const String& findText, const String& replaceText) {
    if (Form.LastShiftState.Contains(ssShift) || Form.LastShiftState.Contains(ssCtrl)) {
        MessageBox(Form.Handle(),
                   "Quiltmarker will check all the selected files - no actual replacements will "
                   "be made",
                   "Quiltmarker", MB_OK | MB_ICONINFORMATION);
        GlobalFindOnly = true;
    } else {
        if (MessageBox(Form.Handle(), "Replace text in all the selected documents?", "Quiltmarker",
                       MB_YESNO | MB_ICONQUESTION) != IDYES)
            return true;
        GlobalFindOnly = false;
    }
    GlobalAllTextFiles = StoredFindTypeIsText();
    GlobalFindReplace(findText, replaceText, false);
    return true;
}

void TGlobalFindReplace::GlobalReplaceClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::GlobalReplaceClick))
        return;
    TDialogGuard<TFindReplaceForm> dialog(FindReplaceForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    bool selected = editor && Form.PageInUse(-1) && editor->SelLength() > 0;
    dialog->FindMemo->SetText(selected ? editor->SelText() : LastGlobalFindText);
    dialog->ReplaceMemo->SetText(LastGlobalReplaceText);
    (StoredFindTypeIsText() ? dialog->TextCheck : dialog->HTMLCheck)->SetChecked(true);
    Form.FindReplace->GlobalReplaceMode = true;
    dialog.ShowModal();
    if (dialog->Action == 0)
        return;
    GlobalFindOnly = dialog->FindOnly;
    if (!GlobalFindOnly &&
        MessageBox(Form.Handle(),
                   "The requested text will be replaced\r\nin all the selected documents. "
                   "Continue?",
                   "Global Replace", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    LastGlobalFindText = dialog->FindMemo->Text();
    LastGlobalReplaceText = dialog->ReplaceMemo->Text();
    GlobalMatchCase = dialog->CaseCheck->Checked();
    GlobalAllTextFiles = dialog->TextCheck->Checked();
    // The pages show again after the report only when a page is open as the run starts.
    Form.ReportPane->PagesVisibleBeforeReport = Form.AnyDocumentOpen();
    GlobalFindReplace(LastGlobalFindText, LastGlobalReplaceText, dialog->ShowLinesCheck->Checked());
}

void TGlobalFindReplace::GlobalFindReplace(const String& findText, const String& replaceText,
                                           bool showLines) {
    TGlobalSearch search{GlobalMatchCase ? findText : LowerCase(findText), replaceText,
                         GlobalMatchCase, GlobalFindOnly, showLines};
    Form.FindReplace->GlobalReplaceMode = false;
    TDialogGuard<TGlobalReplaceForm> result(GlobalReplaceForm, TButtonLook::FromSetting);
    TDialogGuard<TGlobalProgressForm> progress(GlobalProgressForm, TButtonLook::Unchanged);
    TFileListBox* list = Form.FilePane->FileListBox1;
    if (!result || !progress)
        return;
    result->FileList = list;
    TStringGrid& grid = *result->StringGrid1;
    ResetGrid(grid);
    TScreenCursorScope hourglass(crHourGlass);
    progress->SetCaption(GlobalFindOnly ? "Global Find" : "Global Replace");
    progress->Show();
    TGlobalRun run;
    TAtomicWriteBatch batch;
    String folder = IncludeTrailingPathDelimiter(list->Directory());
    for (const String& name : SelectedNames(*list, MaxFiles)) {
        String path = folder + name;
        progress->FileLabel->SetCaption(name);
        progress->Repaint();
        if (!(GlobalAllTextFiles ? Form.Documents->IsTextFile(path) : TDocuments::IsHTMLFile(path)))
            continue;
        TGlobalFileResult found = SearchFile(path, search, batch);
        int row = grid.RowCount() - 1;
        grid.SetCells(0, row, name);
        if (!found.Problem.empty()) {
            grid.SetCells(1, row, ProblemText(found));
            run.Problems.push_back(found.Problem);
        } else {
            grid.SetCells(1, row,
                          found.Count == 0 ? String("      None found")
                                           : FoundText(found.Count, GlobalFindOnly));
        }
        if (found.Rewritten)
            run.Rewritten.push_back(path);
        AddReportLines(run, name, found.Lines);
        grid.SetRowCount(grid.RowCount() + 1);
    }
    for (const auto& [path, message] : batch.Commit()) {
        run.Problems.push_back(message);
        run.Rewritten.erase(std::find(run.Rewritten.begin(), run.Rewritten.end(), path));
    }
    progress->Hide();
    if (showLines)
        ShowGlobalReport(run.ReportLines);
    if (grid.RowCount() > 2)
        grid.SetRowCount(grid.RowCount() - 1);
    result->SortRows(1, true);
    if (!run.Problems.empty())
        MessageBox(Form.Handle(),
                   "These files were left as they were:\r\n\r\n" + LinesText(run.Problems),
                   "Global Replace", MB_OK | MB_ICONWARNING);
    // Only the pages of files this run rewrote are offered for reloading: the others hold nothing
    // new, and reloading them would throw away their unsaved changes for nothing.
    std::vector<int> pages = Form.PagesShowing(run.Rewritten);
    result->AskReload(!pages.empty());
    if (result.ShowModal() == mrYes)
        Form.ReloadPages(pages, "Global Replace");
}

void TGlobalFindReplace::ShowGlobalReport(const std::vector<String>& lines) {
    Form.ReportPane->ShowReport(LinesText(lines));
}
