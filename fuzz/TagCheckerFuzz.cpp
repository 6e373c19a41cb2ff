// The tag checker and the tag map over any page text: the check's report, each report line's
// place, the attribute finder and the map at every depth.

#include "FuzzSupport.h"

#include "site/TagChecker.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::NextInput();
    const String text = FuzzSupport::Bytes(data, size);
    const TTagCheckResult result = CheckTagText(text, ContainerTagNames());
    for (const String& line : result.Report) {
        int lineNumber = 0;
        int column = 0;
        ParseReportPlace(line, lineNumber, column);
    }
    const TTextLines lines(text);
    for (int i = 0; i < lines.Count(); ++i)
        FuzzSupport::Expect(lines.LineOf(lines.LineStart(i)) == i, "a line's start is in it");
    FindAttributeValue(text, "SRC");
    for (int level = 0; level < 3; ++level)
        for (const TTagMapLine& line : MapTags(text, ContainerTagNames(), level))
            FuzzSupport::Expect(line.Position >= 0 && line.Position < static_cast<int>(size),
                                "a mapped tag lies in the text");
    return 0;
}
