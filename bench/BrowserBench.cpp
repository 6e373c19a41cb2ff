// How fast the embedded browser shows a 1 MB page: the first time, with the start of the page
// engine itself, and later, with the engine running.

#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/SHDocVw.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

namespace {

String LargePage() {
    static String path;
    if (path.empty()) {
        path = TempFolder() + "large-page.htm";
        WriteFileAtomic(path, RepeatedPage("<HTML><HEAD><TITLE>Large page</TITLE></HEAD><BODY>\r\n",
                                           "<H2>Section</H2>\r\n<P>Some <B>bold</B> and <I>"
                                           "italic</I> text in a paragraph of a table cell."
                                           "</P>\r\n<TABLE BORDER=1><TR><TD>cell</TD><TD>cell"
                                           "</TD></TR></TABLE>\r\n",
                                           "</BODY></HTML>\r\n", 1 << 20));
    }
    return path;
}

// A window with a browser, as the preview shows it.
struct BrowserWindow {
    TForm Form{nullptr};
    TWebBrowser* Browser = new TWebBrowser(&Form);
    bool Loaded = false;

    BrowserWindow() {
        Browser->SetParent(&Form);
        Form.SetBounds(0, 0, 1024, 700);
        Browser->SetBounds(0, 0, 1024, 700);
        Browser->OnDownloadComplete = [this](TObject*) { Loaded = true; };
    }
    void ShowPage(const String& path) {
        Loaded = false;
        Form.Show();
        Browser->Navigate(path);
        while (!Loaded)
            Application->HandleMessage();
    }
};

BrowserWindow* Window = nullptr;

void FirstLoadOfAOneMegabytePageWithTheEngineStart(benchmark::State& state) {
    const String page = LargePage();
    for (auto _ : state) {
        Window = new BrowserWindow;
        Window->ShowPage(page);
    }
}
BENCHMARK(FirstLoadOfAOneMegabytePageWithTheEngineStart)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void LaterLoadOfAOneMegabytePage(benchmark::State& state) {
    const String page = LargePage();
    for (auto _ : state)
        Window->ShowPage(page);
}
BENCHMARK(LaterLoadOfAOneMegabytePage)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const int result = RunBenchmarks(argc, argv);
    delete Window;
    return result;
}
