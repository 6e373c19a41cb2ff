// META extraction and keyword counting over any page: the tags taken out, the block written
// back where it belongs, and the page's words counted.

#include "FuzzSupport.h"

#include "tags/MetaTags.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::NextInput();
    const String page = FuzzSupport::Bytes(data, size);
    TMetaFields fields;
    const String rest = TakeMetaTags(page, fields);
    const int position = MetaBlockPosition(rest);
    FuzzSupport::Expect(position >= 0 && position <= static_cast<int>(rest.size()),
                        "the block's place lies in the page");
    const String written = MetaBlockAt(rest, position, fields, "3.0");
    TMetaFields again;
    TakeMetaTags(written, again);
    for (const TKeywordCount& keyword : CountKeywords(page, {"the", "and"})) {
        FuzzSupport::Expect(keyword.Count > 0, "a counted word occurs");
        WordOfItem(KeywordItem(keyword));
    }
    return 0;
}
