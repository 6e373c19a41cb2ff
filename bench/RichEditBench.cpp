// How long the page editor takes on a page of 10 MB: loading it until it is shown, saving it, and
// a keystroke near the start and at the end, each with the repaint it causes.

#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/RichEdit.h"
#include "platform/TestHooks.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// About a kilobyte of a hand-written page in UTF-8, the display that costs the editor more:
// headings, paragraphs with links and entities, a table, a list and a short script, in lines of
// every length a page has.
const String Section =
    "<h2><a name=\"section\">A section of the guide: caf\xC3\xA9s</a></h2>\r\n"
    "<p>Every page of the site is written by hand, with <a href=\"links.html\">links</a> to\r\n"
    "the pages around it, a few <b>bold</b> and <i>italic</i> words &amp; an entity or two.</p>\r\n"
    "\r\n"
    "<table border=\"1\" cellpadding=\"2\" width=\"100%\">\r\n"
    "<tr><th>Name</th><th>Value</th><th>Remarks</th></tr>\r\n"
    "<tr><td>Width</td><td>640</td><td>The width of the picture in pixels.</td></tr>\r\n"
    "</table>\r\n"
    "<ul>\r\n  <li>First item of the list</li>\r\n  <li>Second item of the list</li>\r\n</ul>\r\n"
    "<script language=\"JavaScript\">\r\n<!--\r\nfunction show(name) { window.status = name; }\r\n"
    "//-->\r\n</script>\r\n"
    "<p align=\"center\"><img src=\"pictures/banner.gif\" alt=\"Banner\" width=\"468\" "
    "height=\"60\"></p>\r\n"
    "<p>Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor "
    "incididunt ut labore et dolore magna aliqua. Ut enim ad minim veniam, quis nostrud "
    "exercitation ullamco laboris nisi ut aliquip ex ea commodo consequat.</p>\r\n\r\n";

String MakePage(size_t size) {
    return RepeatedPage("<html>\r\n<head>\r\n<title>Bench</title>\r\n</head>\r\n<body>\r\n",
                        Section, "</body>\r\n</html>\r\n", size);
}

constexpr size_t PageSize = 10 * 1024 * 1024;

String PagePath() {
    static const String path = [] {
        String file = IncludeTrailingPathDelimiter(TempFolder()) + "page.html";
        WriteFileAtomic(file, MakePage(PageSize));
        return file;
    }();
    return path;
}

// A shown window with the editor filling it, as a page of the main window is.
struct TEditorWindow {
    TEditorWindow() : Form(std::make_unique<TForm>(nullptr)) {
        Form->SetBounds(0, 0, 900, 700);
        Edit = new TRichEdit(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetAlign(alClient);
        Form->Show();
        Application->ProcessMessages();
    }
    void Paint() { Edit->Repaint(); }
    std::unique_ptr<TForm> Form;
    TRichEdit* Edit = nullptr;
};

void LoadAndShow(benchmark::State& state) {
    const String path = PagePath();
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<TEditorWindow>();
        state.ResumeTiming();
        window->Edit->Lines().LoadFromFile(path);
        window->Paint();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(LoadAndShow)->Unit(benchmark::kMillisecond);

void Save(benchmark::State& state) {
    TEditorWindow window;
    window.Edit->Lines().LoadFromFile(PagePath());
    const String target = IncludeTrailingPathDelimiter(TempFolder()) + "saved.html";
    for (auto _ : state)
        window.Edit->Lines().SaveToFile(target);
}
BENCHMARK(Save)->Unit(benchmark::kMillisecond);

// Range 0: where the caret is, in per mille of the page.
void Keystroke(benchmark::State& state) {
    TEditorWindow window;
    window.Edit->Lines().LoadFromFile(PagePath());
    window.Paint();
    window.Edit->SetSelStart(
        static_cast<int>(PageSize / 1000 * static_cast<size_t>(state.range(0))));
    window.Edit->Perform(EM_SCROLLCARET, 0, 0);
    window.Paint();
    for (auto _ : state) {
        TestHooks::TypeText(*window.Edit, "x");
        window.Paint();
    }
}
BENCHMARK(Keystroke)->Arg(0)->Arg(50)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);

// A page just opened and shown (word wrap on, as the editor starts), then Ctrl+End, twenty typed
// characters and a save, as a user does to add to its end: the lines are still being wrapped in the
// background when the keys come.
void GoToEndTypeAndSave(benchmark::State& state) {
    const String path = PagePath();
    const String target = IncludeTrailingPathDelimiter(TempFolder()) + "appended.html";
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<TEditorWindow>();
        window->Edit->Lines().LoadFromFile(path);
        window->Paint();
        state.ResumeTiming();
        TestHooks::PressKey(*window->Edit, VK_END, TShiftState{ssCtrl});
        TestHooks::TypeText(*window->Edit, "twenty typed letters");
        window->Paint();
        window->Edit->Lines().SaveToFile(target);
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(GoToEndTypeAndSave)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
