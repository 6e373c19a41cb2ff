// The publishing engine over any page, with replace codes: the first byte chooses the
// settings, the second the preview, and the text up to the first NUL byte holds the replace
// codes as "name=text" lines; the rest is the page.

#include "FuzzSupport.h"

#include "publish/PublishSteps.h"

namespace {

TReplaceCodes CodesOf(const String& lines) {
    TReplaceCodes codes;
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = lines.find('\n', start);
        if (end == String::npos)
            end = lines.size();
        const String line = lines.substr(start, end - start);
        start = end + 1;
        const size_t equals = line.find('=');
        if (equals == String::npos)
            continue;
        codes.Names.push_back(line.substr(0, equals));
        codes.Texts.push_back(line.substr(equals + 1));
    }
    return codes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::NextInput();
    if (size < 2)
        return 0;
    const String input = FuzzSupport::Bytes(data + 2, size - 2);
    const size_t split = input.find('\0');
    TPublishSettings settings;
    settings.RemoveComments = data[0] & 1;
    settings.TagCase = static_cast<TTagCase>((data[0] >> 1) % 3);
    settings.RemoveBlankLines = data[0] & 8;
    settings.Compact = data[0] & 16;
    settings.Wrap = data[0] & 32;
    settings.LineLength = IntToStr(data[0] & 64 ? data[1] : 80);
    TExpansionContext context;
    context.SourcePath = FuzzSupport::Sandbox() + "/site/page.htm";
    context.DestinationKey = "upload";
    context.BrowserPreview = data[1] & 1;
    context.Clock = [] { return TDateTime(46000.5); };
    if (split != String::npos)
        context.ReplaceCodes = CodesOf(input.substr(0, split));
    const String page = split == String::npos ? input : input.substr(split + 1);
    // A damaged code or stamp is the user's to mend: the engine says so by its own exception.
    try {
        PublishPageText(page, settings, context);
    } catch (const Exception&) {
    }
    try {
        RevisionStampText(page, data[1] & 2 ? "major" : "minor");
    } catch (const Exception&) {
    }
    return 0;
}
