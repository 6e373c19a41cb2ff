// The site analyser's page reader over any page: both passes, with the page's own folder
// holding an image, a page and a page with anchors; then the trace of local links from it.

#include "FuzzSupport.h"

#include "site/SiteAnalyser.h"

namespace {

const String& SiteFolder() {
    static const String folder = [] {
        const String made = FuzzSupport::Sandbox() + "/site/";
        ForceDirectories(made);
        FuzzSupport::SandboxFile("site/pic.gif", "GIF89a");
        FuzzSupport::SandboxFile("site/other.htm", "<a name=\"top\"><a href=\"page.htm\">");
        return made;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::NextInput();
    const String text = FuzzSupport::Bytes(data, size);
    TSiteFiles files(SiteFolder());
    TAnalyserListSet lists;
    const TAnalyserSink sink = [&lists](TAnalyserList list, const String& value) {
        lists[list].push_back(value);
    };
    for (bool imagePass : {true, false})
        AnalysePageText(text, imagePass, files, sink, [] { return true; });
    LooksLikeHtml(text);
    DecodeEscapes(text);
    ImageSectionLines(SiteFolder() + "page.htm", lists);
    LinkSectionLines(SiteFolder() + "page.htm", lists);
    CombinedReportParts(lists);
    FuzzSupport::SandboxFile("site/page.htm", text);
    TraceReportLines(TraceLocalLinks(SiteFolder(), "page.htm", [] { return true; }));
    return 0;
}
