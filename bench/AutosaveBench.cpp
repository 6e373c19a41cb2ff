// How long an autosave run takes: twenty modified pages of 1 MB each copied into the temporary
// folder, with their index.

#include "editor/Autosave.h"
#include "editor/CorvaletForm.h"
#include "platform/FileUtils.h"
#include "platform/TestHooks.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

namespace {

String MegabytePage(int number) {
    const String line = "<p>Page " + IntToStr(number) +
                        ": some text with a <a href=\"Page.html\">link</a> and more text.</p>\r\n";
    return RepeatedPage("", line, "", 1024 * 1024);
}

void TwentyModifiedMegabytePages(benchmark::State& state) {
    THTMLEMainForm form(nullptr);
    for (int page = 0; page < THTMLEMainForm::PageCount; ++page) {
        form.Memos[page]->SetText(MegabytePage(page));
        form.Memos[page]->SetModified(true);
        form.FileNames[page] = "/site/page" + IntToStr(page) + ".html";
        form.TabSheets[page]->SetCaption("page" + IntToStr(page) + ".html");
        form.TabSheets[page]->SetTabVisible(true);
    }
    for (auto _ : state)
        TestHooks::FireTimer(*form.Autosave->AutosaveTimer);
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations() * THTMLEMainForm::PageCount * 1024 * 1024));
}
BENCHMARK(TwentyModifiedMegabytePages)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
