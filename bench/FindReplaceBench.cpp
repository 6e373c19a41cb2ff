// Find and replace on a page of 10 MB: one Find Next that has to cross the whole page, and
// Replace All of 100,000 occurrences.

#include "BenchMainWindow.h"
#include "editor/FindReplace.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const String Line = "<p>Some text with a <a href=\"page.html\">link</a> and more words.</p>\r\n";

std::unique_ptr<THTMLEMainForm> WindowWithPage(const String& text) {
    auto form = MakeBenchMainWindow();
    TRichEdit* editor = form->Memos[0];
    editor->SetText(text);
    form->FileNames[0] = "/big.html";
    form->TabSheets[0]->SetTabVisible(true);
    form->PageControl1->SetActivePage(form->TabSheets[0]);
    form->PageControl1->SetVisible(true);
    return form;
}

// The only match lies at the end of the page, searched from the start.
void FindNextAcrossThePage(benchmark::State& state) {
    auto form = WindowWithPage(RepeatedPage("<html>\r\n", Line, "<p>needle</p>\r\n", 10 << 20));
    TRichEdit* editor = form->GetMemo(-1);
    form->FindReplace->FindDialog1->Execute();
    form->FindReplace->FindDialog1->SetFindText("NEEDLE");
    form->FindReplace->FindDialog1->SetOptions({frDown});
    for (auto _ : state) {
        editor->SetSelStart(0);
        TestHooks::PressFindDialogButton(*form->FindReplace->FindDialog1, TFindButton::FindNext);
        benchmark::DoNotOptimize(editor->SelStart());
    }
    if (editor->SelText() != "needle")
        state.SkipWithError("the match was not found");
}
BENCHMARK(FindNextAcrossThePage)->Unit(benchmark::kMillisecond);

// A line of 105 characters, so that 100,000 of them fill a page of 10 MB.
const String LinkLine = "<p>Some text with a <a href=\"page.html\">link</a> and more words to "
                        "fill the line up to its length. </p>\r\n";

// 100,000 lines of a 10 MB page hold one "link" word each as a whole word, case not matched.
void ReplaceAllOfAHundredThousand(benchmark::State& state) {
    const String page = RepeatedPage("", LinkLine, "", LinkLine.size() * 100000);
    for (auto _ : state) {
        state.PauseTiming();
        auto form = WindowWithPage(page);
        form->FindReplace->ReplaceDialog->Execute();
        form->FindReplace->ReplaceDialog->SetFindText("LINK");
        form->FindReplace->ReplaceDialog->SetReplaceText("anchor");
        form->FindReplace->ReplaceDialog->SetOptions({frDown, frWholeWord});
        TestHooks::AnswerMessageBox(IDOK);
        state.ResumeTiming();
        TestHooks::PressFindDialogButton(*form->FindReplace->ReplaceDialog,
                                         TFindButton::ReplaceAll);
        state.PauseTiming();
        if (TestHooks::Prompts().back().Text !=
            "Quiltmarker has replaced 100000 occurrences of 'LINK'")
            state.SkipWithError(TestHooks::Prompts().back().Text.c_str());
        form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(ReplaceAllOfAHundredThousand)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
