// How fast the embedded browser shows a 1 MB page: the first time, with the start of the page
// engine itself, and later, with the engine running. Two pages: ordinary HTML (headings,
// paragraphs with links, lists, a table now and then), and a dense one with a table in every
// short section, which has about half as many bytes per element and costs the engine's layout
// more. The engine starts once per process, so a first load is measured only by the first
// benchmark that runs; pick the page with --benchmark_filter=First.*ordinary (or dense_tables).
// Besides the time until the page has loaded whole, each reports "shown_ms": the time from the
// request until the engine first painted the page's content, by the page's own clock, which is
// when the user sees the preview.

#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/SHDocVw.h"
#include "platform/TestHooks.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

const size_t PageSize = 1 << 20;

String WrittenPage(const String& name, const String& section) {
    const String path = TempFolder() + name;
    WriteFileAtomic(path, RepeatedPage("<HTML><HEAD><TITLE>Large page</TITLE></HEAD><BODY>\r\n",
                                       section, "</BODY></HTML>\r\n", PageSize));
    return path;
}

String DenseTablesPage() {
    static const String path =
        WrittenPage("dense-page.htm", "<H2>Section</H2>\r\n<P>Some <B>bold</B> and <I>"
                                      "italic</I> text in a paragraph of a table cell."
                                      "</P>\r\n<TABLE BORDER=1><TR><TD>cell</TD><TD>cell"
                                      "</TD></TR></TABLE>\r\n");
    return path;
}

String OrdinaryPage() {
    const String chapter =
        "<H2>A chapter</H2>\r\n<P>A paragraph of running text with <B>bold</B> and <I>italic"
        "</I> words and a <A HREF=\"next.htm\">link to another page</A>. It goes on for a few "
        "lines, as a paragraph of a real document does, about the subject of the chapter.</P>"
        "\r\n<P>A second paragraph, with <A HREF=\"#top\">a link to the top</A>.</P>\r\n"
        "<UL><LI>First item</LI><LI>Second item with <A HREF=\"item.htm\">a link</A></LI>"
        "<LI>Third item</LI></UL>\r\n";
    const String table =
        RepeatedPage("<TABLE BORDER=1>\r\n", "<TR><TD>row</TD><TD>value</TD><TD>more</TD></TR>\r\n",
                     "</TABLE>\r\n", 500);
    // Fifty chapters to a table of ten rows: some fifty tables in the page.
    static const String path =
        WrittenPage("ordinary-page.htm", RepeatedPage("", chapter, table, 50 * chapter.size()));
    return path;
}

// A window with a browser, as the preview shows it.
struct BrowserWindow {
    TForm Form{nullptr};
    TWebBrowser* Browser = new TWebBrowser(&Form);
    bool Loaded = false;
    double ShownMilliseconds = 0;

    BrowserWindow() {
        Browser->SetParent(&Form);
        Form.SetBounds(0, 0, 1024, 700);
        Browser->SetBounds(0, 0, 1024, 700);
        Browser->OnDownloadComplete = [this](TObject*) { Loaded = true; };
    }
    void ShowPage(const String& path) {
        Loaded = false;
        // The engine starts as its window first shows: that is part of the first preview.
        const double asked = EpochMilliseconds();
        Form.Show();
        Browser->Navigate(path);
        while (!Loaded)
            Application->HandleMessage();
        // The page's clock counts from its time origin, an instant on the same system clock.
        const String painted = TestHooks::RunBrowserScript(
            *Browser, "String(performance.timeOrigin + "
                      "performance.getEntriesByName('first-contentful-paint')[0].startTime)");
        ShownMilliseconds = std::stod(painted) - asked;
    }
    static double EpochMilliseconds() {
        using namespace std::chrono;
        return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
    }
};

// The average time until the page was first painted, over the iterations.
void ReportShownTime(benchmark::State& state, double total) {
    state.counters["shown_ms"] = total / static_cast<double>(state.iterations());
}

BrowserWindow* Window = nullptr;

void FirstLoadOfAOneMegabytePageWithTheEngineStart(benchmark::State& state, String (*page)()) {
    const String path = page();
    if (Window) {
        state.SkipWithError("the engine runs already: choose one first load with a filter");
        return;
    }
    double shown = 0;
    for (auto _ : state) {
        Window = new BrowserWindow;
        Window->ShowPage(path);
        shown += Window->ShownMilliseconds;
    }
    ReportShownTime(state, shown);
}
BENCHMARK_CAPTURE(FirstLoadOfAOneMegabytePageWithTheEngineStart, ordinary, OrdinaryPage)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstLoadOfAOneMegabytePageWithTheEngineStart, dense_tables, DenseTablesPage)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void LaterLoadOfAOneMegabytePage(benchmark::State& state, String (*page)()) {
    const String path = page();
    if (!Window) {
        Window = new BrowserWindow;
        Window->ShowPage(path);
    }
    double shown = 0;
    for (auto _ : state) {
        Window->ShowPage(path);
        shown += Window->ShownMilliseconds;
    }
    ReportShownTime(state, shown);
}
BENCHMARK_CAPTURE(LaterLoadOfAOneMegabytePage, ordinary, OrdinaryPage)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LaterLoadOfAOneMegabytePage, dense_tables, DenseTablesPage)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const int result = RunBenchmarks(argc, argv);
    delete Window;
    return result;
}
