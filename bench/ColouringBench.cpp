// Tag colouring on large pages: the whole of a 10 MB page, what colouring adds to a keystroke
// anywhere in it, and a 6 MB page on one single line (a minified page) opened and typed in.

#include "BenchMainWindow.h"
#include "editor/TagColouring.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const String Section = "<p>Some text with a <a href=\"page.html\">link</a>, &amp; an entity "
                       "<!-- a note --> and <img src=x.gif width=10>.</p>\r\n";

String WrittenPage(const String& name, const String& section, size_t size) {
    String file = TempFolder() + name;
    WriteFileAtomic(file, RepeatedPage("<html>\r\n<body>\r\n", section, "</body>\r\n", size));
    return file;
}

std::unique_ptr<THTMLEMainForm> WindowWith(const String& file, bool coloured) {
    auto form = MakeBenchMainWindow();
    form->Show();
    Application->ProcessMessages();
    form->ColouredTags = coloured;
    form->Documents->OpenDocument(file, false, true, false);
    form->GetMemo(-1)->Repaint();
    Application->ProcessMessages();
    return form;
}

void ColourTheWholePage(benchmark::State& state) {
    auto form = WindowWith(WrittenPage("big.html", Section, 10 * 1024 * 1024), false);
    for (auto _ : state)
        form->TagColouring->ColourAllTags(true);
}
BENCHMARK(ColourTheWholePage)->Unit(benchmark::kMillisecond);

// What the colouring steps of a keystroke cost, at three places of a 10 MB page: in a tag's
// attributes, in text, and the second dash of a comment's opening (the one step that formats a
// stretch), without the insertion itself.
void ColouringOfAKeystroke(benchmark::State& state) {
    auto form = WindowWith(WrittenPage("big.html", Section, 10 * 1024 * 1024), true);
    TRichEdit* editor = form->GetMemo(-1);
    String text = editor->Text();
    size_t middle = text.find(Section, text.size() / 2);
    struct Place {
        size_t Offset;
        char Key;
    };
    const Place places[] = {{Section.find("page.html"), 'x'},
                            {Section.find("text"), 'x'},
                            {Section.find("- a note"), '-'}};
    const Place& place = places[state.range(0)];
    int caret = static_cast<int>(middle + place.Offset);
    for (auto _ : state) {
        editor->SetSelStart(caret);
        char key = place.Key;
        form->TagColouring->Memo1KeyPress(editor, key);
    }
}
BENCHMARK(ColouringOfAKeystroke)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// A whole keystroke in the middle of a 10 MB page, typed and taken back, without colouring
// (0) and with it (1).
void KeystrokeInTheMiddle(benchmark::State& state) {
    auto form = WindowWith(WrittenPage("big.html", Section, 10 * 1024 * 1024), state.range(0));
    TRichEdit* editor = form->GetMemo(-1);
    String text = editor->Text();
    int caret = static_cast<int>(text.find("text", text.size() / 2));
    for (auto _ : state) {
        editor->SetSelStart(caret);
        editor->Perform(WM_CHAR, 'x', 0);
        Application->ProcessMessages();
        state.PauseTiming();
        editor->Perform(WM_CHAR, '\b', 0);
        state.ResumeTiming();
    }
}
BENCHMARK(KeystrokeInTheMiddle)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A minified page: 6 MB on one line, opened and shown without colouring (0) and with it (1).
String OneLinePage() {
    String section = Section.substr(0, Section.size() - 2);
    return WrittenPage("minified.html", section, 6 * 1024 * 1024);
}

void OpenAndShowAOneLinePage(benchmark::State& state) {
    String file = OneLinePage();
    for (auto _ : state)
        WindowWith(file, state.range(0));
}
BENCHMARK(OpenAndShowAOneLinePage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// A keystroke in the middle of that line, without colouring (0) and with it (1).
void KeystrokeOnTheOneLine(benchmark::State& state) {
    auto form = WindowWith(OneLinePage(), state.range(0));
    TRichEdit* editor = form->GetMemo(-1);
    String text = editor->Text();
    int caret = static_cast<int>(text.find("text", text.size() / 2));
    for (auto _ : state) {
        editor->SetSelStart(caret);
        editor->Perform(WM_CHAR, 'x', 0);
        editor->Repaint();
        Application->ProcessMessages();
        state.PauseTiming();
        editor->Perform(WM_CHAR, '\b', 0);
        state.ResumeTiming();
    }
}
BENCHMARK(KeystrokeOnTheOneLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
