#pragma once
// The site analyser's engine: one pass over a page's text for its images or its links, the
// trace of local links from page to page, and the lines of the reports. Plain text routines, so
// the window only shows what they find.

#include "platform/Graphics.h"
#include "platform/SysUtils.h"

#include <array>
#include <functional>
#include <unordered_map>
#include <vector>

// The analyser's eight lists, by index.
enum TAnalyserList {
    alImagesUsed,
    alImagesMissing,
    alImagesCommented,
    alImagesExternal,
    alLinksActive,
    alLinksMissing,
    alLinksCommented,
    alLinksExternal,
    alListCount
};

// A list as the report shows it, sorted and without duplicates.
using TAnalyserEntries = std::vector<String>;
using TAnalyserListSet = std::array<TAnalyserEntries, alListCount>;

// Where a pass puts a value: into one of the lists.
using TAnalyserSink = std::function<void(TAnalyserList list, const String& value)>;
// Asked after every tag (the trace: after every line); false stops the work.
using TKeepGoing = std::function<bool()>;

// Whether a value names a file in the site's folder (folder ends with the path delimiter). A
// query is not part of the name; an absolute value is taken as it stands.
class TSiteFiles {
public:
    explicit TSiteFiles(String folder) : FFolder(std::move(folder)) {}
    const String& Folder() const { return FFolder; }
    bool Exists(const String& value) const;
    // Whether the page names the anchor (case ignored); a page that cannot be read has none.
    bool HasAnchor(const String& pageValue, const String& anchor);

private:
    String PathOf(const String& value) const;
    String FFolder;
    std::unordered_map<String, String> FLowerTexts;
};

// "%" and two hex digits become the byte they name; anything else stays.
String DecodeEscapes(const String& value);

// Whether the text looks like a page: it holds "<HTML>" and "</HTML>", case ignored.
bool LooksLikeHtml(const String& text);

// One pass over a page's text: the images (IMG SRC and the BODY tag's background) or the links
// (A HREF). False when keepGoing stopped it.
bool AnalysePageText(const String& text, bool imagePass, TSiteFiles& files,
                     const TAnalyserSink& sink, const TKeepGoing& keepGoing);

// The pages reached from one page by following its local links in its own folder, and the
// linked pages that do not exist (full paths). Both sorted; Aborted when keepGoing stopped it.
struct TLinkTrace {
    std::vector<String> Found;
    std::vector<String> Missing;
    bool Aborted = false;
};
TLinkTrace TraceLocalLinks(const String& folder, const String& pageName,
                           const TKeepGoing& keepGoing);
std::vector<String> TraceReportLines(const TLinkTrace& trace);

// A line of the analysis report with its look.
struct TReportLine {
    String Text;
    TFontStyles Style;
    int SizeStep = 0;
    TColor Colour = clBlack;
    bool operator==(const TReportLine&) const = default;
};
using TReportLines = std::vector<TReportLine>;

// The path heading of a file's section.
TReportLine PathLine(const String& path);
TReportLines ImageSectionLines(const String& path, const TAnalyserListSet& lists);
TReportLines LinkSectionLines(const String& path, const TAnalyserListSet& lists);
// The error summary; a separate report leaves an empty line after it.
TReportLines SummaryLines(const TAnalyserListSet& lists, bool trailingEmptyLine);
// The combined report's nine parts, each part's lines in turn.
std::vector<TReportLines> CombinedReportParts(const TAnalyserListSet& lists);
TReportLines NotAnalysedLines(const std::vector<String>& names);
