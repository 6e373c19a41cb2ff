// The site analyser on a site of 2,000 pages and 20,000 links: both passes over every page into
// the analyser's sorted lists with the combined report's lines, and the trace that follows the
// local links from the first page to every other. QM_ANALYSER_SITE names a folder to generate the
// site into and keep (bench/compare-linkchecker.sh checks the same folder with linkchecker).

#include "platform/Classes.h"
#include "platform/FileUtils.h"
#include "site/SiteAnalyser.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>

namespace {

const int PageCount = 2000;
const int LinksPerPage = 10;

String SiteFolder;

String PageName(int i) {
    return "page" + IntToStr(i % PageCount) + ".htm";
}

// Nine links to the next pages, one to a page that does not exist, one image found and one not.
String PageText(int i) {
    String text = "<HTML>\r\n<HEAD><TITLE>Page " + IntToStr(i) +
                  "</TITLE></HEAD>\r\n<BODY BACKGROUND=\"bg.gif\">\r\n<IMG SRC=\"logo.gif\">\r\n";
    for (int k = 1; k < LinksPerPage; ++k)
        text += "<P>See <A HREF=\"" + PageName(i + k) + "\">page " + IntToStr(i + k) +
                "</A> for more words of text.</P>\r\n";
    text += "<P><A HREF=\"gone" + IntToStr(i) + ".htm\">gone</A> <IMG SRC=\"none" + IntToStr(i) +
            ".gif\"></P>\r\n</BODY>\r\n</HTML>\r\n";
    return text;
}

void MakeSite() {
    const char* kept = std::getenv("QM_ANALYSER_SITE");
    SiteFolder = IncludeTrailingPathDelimiter(kept ? String(kept) : TempFolder() + "site");
    ForceDirectories(SiteFolder);
    for (const char* image : {"logo.gif", "bg.gif"})
        WriteFileAtomic(SiteFolder + image, "GIF89a");
    for (int i = 0; i < PageCount; ++i)
        WriteFileAtomic(SiteFolder + PageName(i), PageText(i));
}

void AnalyseAndFollowSite(benchmark::State& state) {
    std::array<TStringList, alListCount> lists;
    for (TStringList& list : lists) {
        list.SetSorted(true);
        list.SetDuplicates(dupIgnore);
        list.SetCaseSensitive(true);
    }
    auto keepGoing = [] { return true; };
    for (auto _ : state) {
        for (TStringList& list : lists)
            list.Clear();
        TSiteFiles files(SiteFolder);
        auto sink = [&](TAnalyserList list, const String& value) { lists[list].Add(value); };
        for (int i = 0; i < PageCount; ++i) {
            String text = ReadFileBytes(SiteFolder + PageName(i));
            AnalysePageText(text, true, files, sink, keepGoing);
            AnalysePageText(text, false, files, sink, keepGoing);
        }
        TAnalyserListSet entries;
        for (int i = 0; i < alListCount; ++i)
            for (int j = 0; j < lists[i].Count(); ++j)
                entries[i].push_back(lists[i][j]);
        benchmark::DoNotOptimize(CombinedReportParts(entries));
        TLinkTrace trace = TraceLocalLinks(SiteFolder, PageName(0), keepGoing);
        if (lists[alLinksActive].Count() != PageCount ||
            lists[alLinksMissing].Count() != PageCount || trace.Found.size() != PageCount ||
            trace.Missing.size() != PageCount)
            state.SkipWithError("wrong counts");
    }
}

BENCHMARK(AnalyseAndFollowSite)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, MakeSite);
}
