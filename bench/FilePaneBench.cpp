// How fast the file pane handles a large site folder: 10,000 files listed through a mask of
// several parts, and the files of the last 7 days selected among them.

#include "BenchMainWindow.h"
#include "platform/DateTime.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/TestHooks.h"
#include "site/FilePane.h"
#include "widgets/QmFilSys.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

const int FileCount = 10000;

// Pages, style sheets, scripts and images, written over the last 60 days.
String LargeSite() {
    static String folder;
    if (!folder.empty())
        return folder;
    folder = TempFolder() + "large-site/";
    std::filesystem::create_directories(folder);
    const char* const extensions[] = {".html", ".htm", ".gif", ".jpg", ".css", ".txt", ".pl"};
    TDateTime now = Now();
    for (int i = 0; i < FileCount; ++i) {
        String name = folder + "file" + IntToStr(i) + extensions[i % 7];
        WriteFileAtomic(name, "<p>" + IntToStr(i) + "</p>");
        TDateTime written = now - (i % 60) - 0.25;
        FileSetTimes(name, written, written);
    }
    return folder;
}

void ListTenThousandFilesThroughAMask(benchmark::State& state) {
    auto window = MakeBenchMainWindow();
    THTMLEMainForm& form = *window;
    form.FilePane->DirectoryListBox1->SetDirectory(LargeSite());
    form.FilePane->FileListBox1->SetMask("*.*htm*;*.cgi;*.pl;*.log;*.txt");
    for (auto _ : state)
        form.FilePane->FileListBox1->Update();
    state.counters["listed"] = form.FilePane->FileListBox1->Items().Count();
}
BENCHMARK(ListTenThousandFilesThroughAMask)->Unit(benchmark::kMillisecond);

void SelectTheLastSevenDaysAmongTenThousand(benchmark::State& state) {
    auto window = MakeBenchMainWindow();
    THTMLEMainForm& form = *window;
    form.FilePane->DirectoryListBox1->SetDirectory(LargeSite());
    form.FilePane->FileListBox1->SetMask("*.*");
    for (auto _ : state) {
        state.PauseTiming();
        form.FilePane->FileListBox1->Update(); // a folder just opened: nothing selected
        TestHooks::AnswerModalResult(mrOk);
        state.ResumeTiming();
        form.FilePane->N7days1Click(nullptr);
    }
    state.counters["selected"] = form.FilePane->FileListBox1->SelCount();
}
BENCHMARK(SelectTheLastSevenDaysAmongTenThousand)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
