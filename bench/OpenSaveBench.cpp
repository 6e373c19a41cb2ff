// How long a large page takes to open and to save: a 10 MB page opened through OpenDocument
// until the editor has shown it, and saved back through SaveDocument; with CR LF, LF and CR line
// ends (range 0, a TTextLineBreakStyle), as the other two are turned into CR LF and back.

#include "BenchMainWindow.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

String TenMegabytePage() {
    const String line =
        "<p>Some text with a <a href=\"page.html\">link</a> and more words.</p>\r\n";
    return RepeatedPage("<html>\r\n<body>\r\n", line, "</body>\r\n</html>\r\n", 10 * 1024 * 1024);
}

String WrittenPage(const benchmark::State& state) {
    String file = TempFolder() + "big.html";
    auto lineBreaks = static_cast<TTextLineBreakStyle>(state.range(0));
    WriteFileAtomic(file, AdjustLineBreaks(TenMegabytePage(), lineBreaks));
    return file;
}

std::unique_ptr<THTMLEMainForm> ShownMainWindow() {
    auto form = MakeBenchMainWindow();
    form->Show();
    Application->ProcessMessages();
    return form;
}

void OpenTenMegabytes(benchmark::State& state) {
    const String file = WrittenPage(state);
    auto form = ShownMainWindow();
    for (auto _ : state) {
        int page = form->Documents->OpenDocument(file, false, true, false);
        Application->ProcessMessages();
        state.PauseTiming();
        if (page < 0)
            state.SkipWithError("not opened");
        form->Documents->CloseAll1Click(form->Documents->CloseAll1);
        Application->ProcessMessages();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenTenMegabytes)->Arg(tlbsCRLF)->Arg(tlbsLF)->Arg(tlbsCR)->Unit(benchmark::kMillisecond);

void SaveTenMegabytes(benchmark::State& state) {
    const String file = WrittenPage(state);
    auto form = ShownMainWindow();
    int page = form->Documents->OpenDocument(file, false, true, false);
    Application->ProcessMessages();
    for (auto _ : state) {
        form->Memos[page]->SetModified(true);
        if (!form->Documents->SaveDocument(page, false, false))
            state.SkipWithError("not saved");
    }
}
BENCHMARK(SaveTenMegabytes)->Arg(tlbsCRLF)->Arg(tlbsLF)->Arg(tlbsCR)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
