// The page-rewriting commands on a page of 10 MB: each over the whole page, and Indent over a
// selection of a few lines in the same page, which must cost only those lines. Every round is
// undone outside the timing, so each starts from the same page.

#include "BenchMainWindow.h"
#include "editor/TextTransforms.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace {

const String Section = "<div class=\"box\">\r\n\t<p align=left>Some text, a <a href=\"page.html\">"
                       "link</a> &amp; more.</p>\r\n<!-- a note -->\r\n\r\n\r\n  \t<br>\r\n"
                       "</div>\r\n";

std::unique_ptr<THTMLEMainForm> Form;

void MakeWindow() {
    Form = MakeBenchMainWindow();
    TRichEdit* editor = Form->Memos[0];
    editor->SetText(RepeatedPage("<html>\r\n", Section, "</html>\r\n", 10 << 20));
    Form->FileNames[0] = "/big.html";
    Form->TabSheets[0]->SetTabVisible(true);
    Form->PageControl1->SetActivePage(Form->TabSheets[0]);
    Form->PageControl1->SetVisible(true);
    Form->UpdateDocumentCommands();
}

// selLength -1: the whole page selected.
void Run(benchmark::State& state, const std::function<void()>& command, int selStart = 0,
         int selLength = 0) {
    TRichEdit* editor = Form->Memos[0];
    const int length = editor->GetTextLen();
    for (auto _ : state) {
        state.PauseTiming();
        editor->SetSelStart(selStart);
        editor->SetSelLength(selLength < 0 ? length : selLength);
        state.ResumeTiming();
        command();
        state.PauseTiming();
        if (editor->GetTextLen() != length || editor->CanUndo())
            editor->Undo();
        state.ResumeTiming();
    }
    state.counters["bytes"] = length;
}

void TagCaseUpper(benchmark::State& state) {
    Run(state, [] { Form->TextTransforms->Uppercase1->Click(); });
}
void RemoveIndents(benchmark::State& state) {
    Run(state, [] { Form->TextTransforms->RemoveIndents1->Click(); });
}
void RemoveBlankLines(benchmark::State& state) {
    Run(state, [] { Form->TextTransforms->RemoveLinespaces1->Click(); });
}
void RemoveComments(benchmark::State& state) {
    Run(state, [] { Form->TextTransforms->RemoveComments1->Click(); });
}
void IndentWholePage(benchmark::State& state) {
    Run(
        state, [] { Form->TextTransforms->Indent1->Click(); }, 0, -1);
}
void UnindentWholePage(benchmark::State& state) {
    Run(
        state, [] { Form->TextTransforms->Unindent1->Click(); }, 0, -1);
}
void PerlCommentWholePage(benchmark::State& state) {
    Run(
        state, [] { Form->TagButtons->PerlCommentButton->Click(); }, 0, -1);
}
void ChangeCaseWholePage(benchmark::State& state) {
    TestHooks::SetKeyDown(VK_SHIFT, true);
    Run(
        state, [] { Form->TextTransforms->ChangeCase1->Click(); }, 0, -1);
    TestHooks::SetKeyDown(VK_SHIFT, false);
}
void AnglesToCodesWholePage(benchmark::State& state) {
    Run(
        state,
        [] {
            Form->TagButtons->ReplaceAnglesList->SetItemIndex(1);
            Form->TagButtons->ReplaceAnglesList->OnClick(Form->TagButtons->ReplaceAnglesList);
        },
        0, -1);
}
// A few lines in the middle of the page.
void IndentSelectionInTheMiddle(benchmark::State& state) {
    Run(
        state, [] { Form->TextTransforms->Indent1->Click(); }, 5 << 20, 400);
}

} // namespace

BENCHMARK(TagCaseUpper)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveIndents)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveBlankLines)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveComments)->Unit(benchmark::kMillisecond);
BENCHMARK(IndentWholePage)->Unit(benchmark::kMillisecond);
BENCHMARK(UnindentWholePage)->Unit(benchmark::kMillisecond);
BENCHMARK(PerlCommentWholePage)->Unit(benchmark::kMillisecond);
BENCHMARK(ChangeCaseWholePage)->Unit(benchmark::kMillisecond);
BENCHMARK(AnglesToCodesWholePage)->Unit(benchmark::kMillisecond);
BENCHMARK(IndentSelectionInTheMiddle)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    int result = RunBenchmarks(argc, argv, MakeWindow);
    Form.reset();
    return result;
}
