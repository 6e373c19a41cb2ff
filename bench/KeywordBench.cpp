// How long keyword extraction takes on a page of 10 MB: the META dialog's Keywords button,
// counting every word of the page outside its tags and filling the list.

#include "BenchMainWindow.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "tags/HTMLMeta.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

String WrittenPage() {
    const String section =
        "<p class=\"body\">The quick brown fox jumps over the lazy dog's back; e-mail us at "
        "<a href=\"mailto:x@y.org\">our office</a>, don't wait. Prices: 42 &amp; 17.</p>\r\n"
        "<h2>Gardening, Cooking &amp; Travelling</h2>\r\n";
    String file = TempFolder() + "big.html";
    WriteFileAtomic(file, RepeatedPage("<html>\r\n<head><title>Big</title></head>\r\n<body>\r\n",
                                       section, "</body>\r\n</html>\r\n", 10 * 1024 * 1024));
    return file;
}

void ExtractKeywords(benchmark::State& state) {
    auto form = MakeBenchMainWindow();
    form->Documents->OpenDocument(WrittenPage(), false, true, false);
    auto dialog = std::make_unique<THTMLMetaForm>(nullptr);
    dialog->SourceEditor = form->GetMemo(-1);
    for (auto _ : state)
        dialog->KeywordButtonClick(nullptr);
    state.counters["words listed"] = dialog->KeyList->Items().Count();
}
BENCHMARK(ExtractKeywords)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
