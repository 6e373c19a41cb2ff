// The form-stream reader and the aligned grid's codec over any bytes: first the stream's values
// read one by one as a generic reader walks them, then the bytes loaded into a fresh grid as its
// form would load it. A damaged stream is refused by the reader's own exception.

#include "FuzzSupport.h"

#include "platform/Classes.h"
#include "platform/Filer.h"
#include "widgets/Aligrid.h"

namespace {

TMemoryStream& StreamOf(TMemoryStream& stream, const String& bytes) {
    stream.Write(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    return stream;
}

// Every value of the stream, lists walked into, until it ends or is refused.
void WalkValues(const String& bytes) {
    TMemoryStream stream;
    TReader reader(StreamOf(stream, bytes));
    try {
        for (int steps = 0; steps < 10000 && stream.Position() < stream.Size(); ++steps) {
            switch (reader.NextValue()) {
            case vaList:
                reader.ReadListBegin();
                break;
            case vaNull:
                reader.ReadListEnd();
                break;
            case vaString:
            case vaLString:
                reader.ReadString();
                break;
            case vaBinary:
                reader.ReadBinary();
                break;
            case vaInt8:
            case vaInt16:
            case vaInt32:
                reader.ReadInteger();
                break;
            default:
                reader.ReadValue();
                break;
            }
        }
    } catch (const Exception&) {
    }
}

void LoadGrid(const String& bytes) {
    static TForm* form = new TForm(nullptr);
    auto* grid = new TStringAlignGrid(form);
    grid->SetColCount(5);
    grid->SetRowCount(5);
    TMemoryStream stream;
    TReader reader(StreamOf(stream, bytes));
    try {
        grid->DefineProperties(reader);
        grid->LoadComponents([&] { reader.ReadProperties(); });
    } catch (const Exception&) {
    }
    delete grid;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::StartWindowSystem();
    FuzzSupport::NextInput();
    const String bytes = FuzzSupport::Bytes(data, size);
    WalkValues(bytes);
    LoadGrid(bytes);
    return 0;
}
