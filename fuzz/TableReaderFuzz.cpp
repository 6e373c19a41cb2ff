// The table reader over any text, and the table it read written out again and read back.

#include "FuzzSupport.h"

#include "generators/TableHTML.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::NextInput();
    const String text = FuzzSupport::Bytes(data, size);
    const TTableReading reading = ReadTable(text);
    ExtractTagAttributes(text);
    RemoveBlanksAroundEquals(text);
    TrimTrailingBlanks(text);
    if (!reading.Read)
        return 0;
    // The attributes are written back as they were read, damaged ones too, so the table written
    // need not read back the same; it must be written and read without a fault all the same.
    for (bool compact : {false, true})
        ReadTable(WriteTable(reading.Design, compact, "  "));
    return 0;
}
