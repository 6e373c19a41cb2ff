// How long a tag button takes on a page of 10 MB: a word at the end of the page wrapped in a
// tag, with the repaint it causes.

#include "BenchMainWindow.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "tags/TagInsertion.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

String WrittenPage() {
    const String line =
        "<p>Some text with a <a href=\"page.html\">link</a> and more words.</p>\r\n";
    String file = TempFolder() + "big.html";
    WriteFileAtomic(
        file, RepeatedPage("<html>\r\n<body>\r\n", line, "<p>last</p>\r\n", 10 * 1024 * 1024));
    return file;
}

void WrapTheLastWord(benchmark::State& state) {
    auto form = MakeBenchMainWindow();
    form->Show();
    Application->ProcessMessages();
    form->Documents->OpenDocument(WrittenPage(), false, true, false);
    TRichEdit* editor = form->GetMemo(-1);
    editor->Repaint();
    for (auto _ : state) {
        state.PauseTiming();
        // "last", before the final "</p>\r\n" that every insertion pushes on.
        editor->SetSelStart(editor->GetTextLen() - 10);
        editor->SetSelLength(4);
        state.ResumeTiming();
        form->TagInsertion->InsertTag("<B>", "</B>", 0);
        editor->Repaint();
    }
}
BENCHMARK(WrapTheLastWord)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
