// Table from text over any selection: the first byte chooses the marks (the defaults or the
// next four bytes) and whether the first row is a heading; the rest is the selected text.

#include "FuzzSupport.h"

#include "generators/HTMLTextToTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::NextInput();
    if (size < 5)
        return 0;
    TTextTableOptions options;
    options.Header = data[0] & 1;
    if (data[0] & 2) {
        options.Left = static_cast<char>(data[1]);
        options.Right = static_cast<char>(data[2]);
        options.Centre = static_cast<char>(data[3]);
        options.NoBreak = static_cast<char>(data[4]);
    }
    const String selected = FuzzSupport::Bytes(data + 5, size - 5);
    TextLines(selected);
    const String text = TableSourceText(selected);
    if (text.empty())
        return 0;
    PatternLineOf(text);
    String converted = text;
    if (HasLinesUnderPattern(text))
        ConvertByPattern(converted, options);
    TableFromMarkedText(MarkedText(converted, options), options, "  ");
    return 0;
}
