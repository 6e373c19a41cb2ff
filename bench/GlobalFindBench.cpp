// Find and replace across files: 2,000 pages of 50 KB, each searched without regard to case, then
// each rewritten through a temporary file and a rename.

#include "platform/FileUtils.h"
#include "site/GlobalFindReplace.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const int FileCount = 2000;
const String Line = "<p>Some text with a <a href=\"page.html\">link</a> and more words.</p>\r\n";

std::vector<String> Files;

void MakeSite() {
    String folder = TempFolder() + "site" + PathDelim;
    ForceDirectories(folder);
    String page = RepeatedPage("<html>\r\n<p>Needle</p>\r\n", Line, "<p>needle</p>\r\n", 50 << 10);
    for (int i = 0; i < FileCount; ++i) {
        Files.push_back(folder + "page" + IntToStr(i) + ".htm");
        WriteFileAtomic(Files.back(), page);
    }
}

void Run(benchmark::State& state, bool findOnly) {
    TGlobalSearch search{"needle", "needle", false, findOnly, false};
    for (auto _ : state) {
        int found = 0;
        TAtomicWriteBatch batch;
        for (const String& file : Files)
            found += SearchFile(file, search, batch).Count;
        if (!batch.Commit().empty())
            state.SkipWithError("a file was not written");
        if (found != 2 * FileCount)
            state.SkipWithError("wrong count");
    }
}

void FindAcrossFiles(benchmark::State& state) {
    Run(state, true);
}

void ReplaceAcrossFiles(benchmark::State& state) {
    Run(state, false);
}

BENCHMARK(FindAcrossFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAcrossFiles)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, MakeSite);
}
