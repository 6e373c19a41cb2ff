// How long publishing takes: one page of 10 MB with every clean-up step on, as text and as a
// whole run from file to file (beside the bare reading and writing of the same file), and a
// thousand pages of 20 KB published in runs of a hundred. With QM_PUBLISH_PAGE set, the page is
// also written there first, so that another minifier (bench/compare-minifier.sh) can be timed on
// the same bytes.

#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "publish/Ferrydock95Main.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// About a kilobyte of a hand-written page: comments, a script and a style block with comments of
// their own, quoted values, runs of blanks and tabs, blank lines and two codes.
const String Section = "<!-- section comment -->\r\n"
                       "<div class=\"Item\">\r\n"
                       "<p>Some   text with\tblanks and a <a href=\"Page.html\">link</a>.</p>\r\n"
                       "\r\n"
                       "<script language=\"JavaScript\">\r\n<!--\r\n"
                       "var greeting = \"Hello   there\";\r\nif (a < b) { a = b; }\r\n//-->\r\n"
                       "</script>\r\n"
                       "<style><!-- p { color: red; margin:  0 } --></style>\r\n"
                       "<IMG SRC=\"Pictures/Pic.GIF\" ALT=\"A  B\" WIDTH=100 HEIGHT=50>\r\n"
                       "  \r\n\r\n"
                       "<table border=\"0\"><tr><td>Cell one</td><td>Cell two</td></tr></table>\r\n"
                       "<p>{{sig}} on {{filename}}</p>\r\n"
                       "<ul><li>First item</li><li>Second item</li><li>Third item</li></ul>\r\n"
                       "<P ALIGN=\"Center\">Lorem ipsum dolor sit amet, consectetur adipiscing "
                       "elit, sed do eiusmod tempor incididunt ut labore et dolore magna.</P>\r\n"
                       "</div>\r\n\r\n";

String MakePage(size_t size) {
    return RepeatedPage("<HTML>\r\n<HEAD><TITLE>Bench</TITLE></HEAD>\r\n<BODY>\r\n", Section,
                        "</BODY>\r\n</HTML>\r\n<!-- LR45000.5LR -->\r\n<!-- LMR45000.25LMR -->\r\n",
                        size);
}

TPublishSettings EveryStep() {
    TPublishSettings settings;
    settings.RemoveComments = true;
    settings.TagCase = tcUpperCase;
    settings.RemoveBlankLines = true;
    settings.Compact = true;
    settings.Wrap = true;
    settings.LineLength = "80";
    return settings;
}

void SetEveryStep(TFerrydock95Form& form) {
    form.RemoveCommentsCheck->SetChecked(true);
    form.UpperCaseButton->SetChecked(true);
    form.BlankLinesCheck->SetChecked(true);
    form.CompactCheck->SetChecked(true);
    form.WrapTextCheck->SetChecked(true);
    form.LineLengthEdit->SetText("80");
    form.NoPublishedMessage = true;
}

String Folder(const String& name) {
    String folder = IncludeTrailingPathDelimiter(TempFolder() + name);
    ForceDirectories(folder);
    return folder;
}

void TenMegabytePageText(benchmark::State& state) {
    const String page = MakePage(10 * 1024 * 1024);
    TExpansionContext context;
    context.ReplaceCodes.Names = {"sig"};
    context.ReplaceCodes.Texts = {"Made by [[upload]]the site team\\n[[default]]someone"};
    for (auto _ : state) {
        context.SourcePath = "/site/page.html";
        context.DestinationKey = "/srv/upload/";
        benchmark::DoNotOptimize(PublishPageText(page, EveryStep(), context));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(TenMegabytePageText)->Unit(benchmark::kMillisecond);

// Each step alone on pages of 1 and 10 MB: ten times the page should take ten times as long.
template <typename Step> void OneStep(benchmark::State& state, Step step) {
    const String page = MakePage(static_cast<size_t>(state.range(0)) * 1024 * 1024);
    for (auto _ : state)
        benchmark::DoNotOptimize(step(page));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK_CAPTURE(OneStep, JoinAsCrLfLines, JoinAsCrLfLines)->Arg(1)->Arg(10);
BENCHMARK_CAPTURE(OneStep, ShieldRevisionStamps, ShieldRevisionStamps)->Arg(1)->Arg(10);
BENCHMARK_CAPTURE(OneStep, RemoveComments, RemoveComments)->Arg(1)->Arg(10);
BENCHMARK_CAPTURE(OneStep, RestoreRevisionStamps, RestoreRevisionStamps)->Arg(1)->Arg(10);
BENCHMARK_CAPTURE(OneStep, ExpandCodes,
                  [](const String& page) {
                      TExpansionContext context;
                      context.SourcePath = "/site/page.html";
                      context.ReplaceCodes.Names = {"sig"};
                      context.ReplaceCodes.Texts = {"the site team"};
                      return ExpandCodes(page, context);
                  })
    ->Arg(1)
    ->Arg(10);
BENCHMARK_CAPTURE(OneStep, ChangeTagCase,
                  [](const String& page) { return ChangeTagCase(page, true); })
    ->Arg(1)
    ->Arg(10);
BENCHMARK_CAPTURE(OneStep, StripBlankLines, StripBlankLines)->Arg(1)->Arg(10);
BENCHMARK_CAPTURE(OneStep, CompactText,
                  [](const String& page) { return CompactText(page, true, 80); })
    ->Arg(1)
    ->Arg(10);
BENCHMARK_CAPTURE(OneStep, CutAfterHtmlEnd, CutAfterHtmlEnd)->Arg(1)->Arg(10);

// The floor under a run from file to file: the page read and written back safely.
void TenMegabytePageCopy(benchmark::State& state) {
    const String source = Folder("site") + "big.html";
    WriteFileAtomic(source, MakePage(10 * 1024 * 1024));
    const String target = Folder("upload") + "big.html";
    for (auto _ : state)
        WriteFileAtomic(target, ReadFileBytes(source));
}
BENCHMARK(TenMegabytePageCopy)->Unit(benchmark::kMillisecond);

void TenMegabytePageRun(benchmark::State& state) {
    const String source = Folder("site") + "big.html";
    WriteFileAtomic(source, MakePage(10 * 1024 * 1024));
    TFerrydock95Form form(nullptr);
    SetEveryStep(form);
    form.PublishTo->SetText(Folder("upload"));
    for (auto _ : state) {
        form.PubFileName->SetText(source);
        form.PublishFiles();
    }
}
BENCHMARK(TenMegabytePageRun)->Unit(benchmark::kMillisecond);

void ThousandPagesOf20KB(benchmark::State& state) {
    const String site = Folder("pages");
    const String page = MakePage(20 * 1024);
    for (int i = 0; i < 1000; ++i)
        WriteFileAtomic(site + "page" + IntToStr(i) + ".html", page);
    TFerrydock95Form form(nullptr);
    SetEveryStep(form);
    form.PublishTo->SetText(Folder("upload"));
    for (auto _ : state) {
        for (int run = 0; run < 10; ++run) {
            for (int i = 0; i < TFerrydock95Form::MaxSourceFiles; ++i)
                form.SourceFiles[static_cast<size_t>(i)] =
                    site + "page" + IntToStr(run * 100 + i) + ".html";
            form.SourceFileCount = TFerrydock95Form::MaxSourceFiles;
            form.MultipleRun = true;
            form.PubFileName->SetText(form.SourceFiles[0]);
            form.PublishFiles();
        }
    }
}
BENCHMARK(ThousandPagesOf20KB)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, [] {
        if (const char* path = std::getenv("QM_PUBLISH_PAGE"))
            WriteFileAtomic(path, MakePage(10 * 1024 * 1024));
        TRegistry reg;
        reg.OpenKey("\\Software\\Olvane\\Quiltmarker\\Replace Codes", true);
        reg.WriteString("sig", "Made by [[upload]]the site team\\n[[default]]someone");
    });
}
