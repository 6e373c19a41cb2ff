// The tag checker on a page of 12 MB: the check alone, and Check Tags in the checker's window
// (the check and the report list filled). With QM_TAGCHECK_PAGE set, the page is also written
// there first, so that another checker (bench/compare-tidy.sh) can be timed on the same bytes.

#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "site/TagCheckForm.h"
#include "site/TagChecker.h"
#include "tags/HTMLGlobal.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>

namespace {

const String Head =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html>\r\n"
    "<head>\r\n<title>A large page</title>\r\n</head>\r\n<body>\r\n";
const String Section =
    "<table border=\"1\"><tr><td><a href=\"page.html\">Link</a> and <b>bold</b></td>\r\n"
    "<td><img src=\"pic.gif\" alt=\"A picture\" width=\"10\" height=\"10\"></td></tr></table>\r\n"
    "<p>Some text with <i>italic</i> words and a <font color=\"red\">coloured</font> one.\r\n"
    "<ul><li>An item<li>Another <img src=\"dot.gif\"></ul>\r\n"
    "<!-- a comment --><div class=\"note\">A note <span>inside</span></div>\r\n";
const String Tail = "</body>\r\n</html>\r\n";
constexpr size_t PageSize = 12 << 20;

const String& BigPage() {
    static const String page = RepeatedPage(Head, Section, Tail, PageSize);
    return page;
}

void WritePageForComparison() {
    if (const char* path = std::getenv("QM_TAGCHECK_PAGE"))
        std::ofstream(path, std::ios::binary) << BigPage();
}

void CheckTwelveMegabytes(benchmark::State& state) {
    const String& page = BigPage();
    size_t lines = 0;
    for (auto _ : state) {
        TTagCheckResult result = CheckTagText(page, ContainerTagNames());
        lines = result.Report.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["report_lines"] = static_cast<double>(lines);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(CheckTwelveMegabytes)->Unit(benchmark::kMillisecond);

void CheckTagsInTheWindow(benchmark::State& state) {
    String path = String(std::getenv("TMPDIR")) + "/big.html";
    std::ofstream(path, std::ios::binary) << BigPage();
    GlobalForm = new TGlobalForm(nullptr);
    GlobalForm->ResultText = path;
    auto* checker = new TTagCheckForm(nullptr);
    for (auto _ : state) {
        checker->CheckButtonClick(checker);
        benchmark::DoNotOptimize(checker->ListReport->Items().Count());
    }
    delete checker;
    delete GlobalForm;
    GlobalForm = nullptr;
}
BENCHMARK(CheckTagsInTheWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, WritePageForComparison);
}
