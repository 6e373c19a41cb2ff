// How long one multi-publish takes: a thousand pages of 20 KB selected in the file list, stamped
// with a minor revision, published into one upload folder and logged, as the command runs them.

#include "BenchMainWindow.h"
#include "platform/FileCtrl.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "publish/HTMLFolderSelect.h"
#include "publish/MultiPublishing.h"
#include "site/FilePane.h"
#include "widgets/QmFilSys.h"

#include "BenchMain.h"
#include "PublisherForms.h"

#include <benchmark/benchmark.h>

namespace {

// About a kilobyte of a page: a comment, quoted values, blanks, a code and a paragraph.
const String Section = "<!-- section comment -->\r\n"
                       "<div class=\"Item\">\r\n"
                       "<p>Some   text with\tblanks and a <a href=\"Page.html\">link</a>.</p>\r\n"
                       "\r\n"
                       "<IMG SRC=\"Pictures/Pic.GIF\" ALT=\"A  B\" WIDTH=100 HEIGHT=50>\r\n"
                       "<table border=\"0\"><tr><td>Cell one</td><td>Cell two</td></tr></table>\r\n"
                       "<p>{{filename}}</p>\r\n"
                       "<ul><li>First item</li><li>Second item</li><li>Third item</li></ul>\r\n"
                       "<P ALIGN=\"Center\">Lorem ipsum dolor sit amet, consectetur adipiscing "
                       "elit, sed do eiusmod tempor incididunt ut labore et dolore magna.</P>\r\n"
                       "</div>\r\n\r\n";

String Folder(const String& name) {
    String folder = IncludeTrailingPathDelimiter(TempFolder() + name);
    ForceDirectories(folder);
    return folder;
}

void ThousandPagesOneMultiPublish(benchmark::State& state) {
    const String site = Folder("site");
    const String page =
        RepeatedPage("<HTML>\r\n<BODY>\r\n", Section, "</BODY>\r\n</HTML>\r\n", 20 * 1024);
    for (int i = 0; i < 1000; ++i)
        WriteFileAtomic(site + "page" + IntToStr(i) + ".html", page);
    const String upload = Folder("upload");
    PublisherForms::Make();
    {
        auto window = MakeBenchMainWindow();
        THTMLEMainForm& form = *window;
        form.FilePane->DirectoryListBox1->SetDirectory(site);
        form.FilePane->FileListBox1->SetMask("*.*");
        form.FilePane->FileListBox1->Update();
        for (int i = 0; i < form.FilePane->FileListBox1->Items().Count(); ++i)
            form.FilePane->FileListBox1->SetSelected(i, true);
        for (auto _ : state) {
            TestHooks::AnswerModal([&upload](TForm& shown) {
                auto& dialog = dynamic_cast<TFolderSelectForm&>(shown);
                dialog.GroupFolderList(1, 1)->Items().Clear();
                dialog.GroupFolderList(1, 1)->Items().Add(upload);
                dialog.MinorRevButton->SetChecked(true);
                dialog.CompactCheck->SetChecked(true);
                dialog.BlankLinesCheck->SetChecked(true);
                dialog.RemoveCommentsCheck->SetChecked(true);
                dialog.LogCheck->SetChecked(true);
                dialog.FinishButtonClick(nullptr);
            });
            TestHooks::AnswerMessageBox(IDOK); // "Publication completed"
            if (!FileExists(ProgramFolder() + "Published.txt"))
                TestHooks::AnswerMessageBox(IDYES); // create the log
            form.MultiPublishing->MultiPublish1Click(nullptr);
            TestHooks::Reset();
        }
        state.counters["pages"] = form.FilePane->FileListBox1->SelCount();
    }
    PublisherForms::Free();
}
BENCHMARK(ThousandPagesOneMultiPublish)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
