#include "platform/Filer.h"

#include <algorithm>
#include <cstring>

// ---- Reading

void TReader::ReadBytes(void* buffer, int count) {
    Stream().ReadBuffer(buffer, count);
}

[[noreturn]] void TReader::InvalidValue() const {
    throw EReadError("Invalid property value");
}

TValueType TReader::ReadValue() {
    uint8_t code = 0;
    ReadBytes(&code, 1);
    return static_cast<TValueType>(code);
}

TValueType TReader::NextValue() {
    TValueType value = ReadValue();
    Stream().Seek(-1, soFromCurrent);
    return value;
}

void TReader::ReadListBegin() {
    if (ReadValue() != vaList)
        InvalidValue();
}

void TReader::ReadListEnd() {
    if (ReadValue() != vaNull)
        InvalidValue();
}

bool TReader::EndOfList() {
    return NextValue() == vaNull;
}

int TReader::ReadInteger() {
    switch (ReadValue()) {
    case vaInt8: {
        int8_t value = 0;
        ReadBytes(&value, 1);
        return value;
    }
    case vaInt16: {
        uint8_t bytes[2];
        ReadBytes(bytes, 2);
        return static_cast<int16_t>(bytes[0] | (bytes[1] << 8));
    }
    case vaInt32: {
        uint8_t bytes[4];
        ReadBytes(bytes, 4);
        return static_cast<int32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                    (static_cast<uint32_t>(bytes[3]) << 24));
    }
    default:
        InvalidValue();
    }
}

namespace {

// A length read from the stream, refused when the stream does not hold that many bytes, so a
// damaged length never asks for more memory than the stream has.
int CheckedLength(TStream& stream, uint32_t length) {
    if (length > static_cast<uint64_t>(stream.Size() - stream.Position()))
        throw EReadError("Stream read error");
    return static_cast<int>(length);
}

uint32_t ReadLength(TReader& reader) {
    uint8_t bytes[4];
    reader.Stream().ReadBuffer(bytes, 4);
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

} // namespace

String TReader::ReadString() {
    uint32_t length = 0;
    switch (ReadValue()) {
    case vaString: {
        uint8_t shortLength = 0;
        ReadBytes(&shortLength, 1);
        length = shortLength;
        break;
    }
    case vaLString:
        length = ReadLength(*this);
        break;
    default:
        InvalidValue();
    }
    String text(CheckedLength(Stream(), length), '\0');
    ReadBytes(text.data(), static_cast<int>(text.size()));
    return text;
}

String TReader::ReadBinary() {
    if (ReadValue() != vaBinary)
        InvalidValue();
    String bytes(CheckedLength(Stream(), ReadLength(*this)), '\0');
    ReadBytes(bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
}

String TReader::ReadShortText() {
    uint8_t length = 0;
    ReadBytes(&length, 1);
    String text(CheckedLength(Stream(), length), '\0');
    ReadBytes(text.data(), length);
    return text;
}

void TReader::DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc, bool) {
    FDefinitions.push_back(TDefinition{Name, std::move(ReadData), nullptr});
}

void TReader::DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc, bool) {
    FDefinitions.push_back(TDefinition{Name, nullptr, std::move(ReadData)});
}

void TReader::ReadProperties() {
    while (!EndOfList()) {
        String name = ReadShortText();
        auto found = std::find_if(FDefinitions.begin(), FDefinitions.end(),
                                  [&](const TDefinition& d) { return SameText(d.Name, name); });
        if (found == FDefinitions.end())
            throw EReadError("Property " + name + " does not exist");
        if (found->Read) {
            found->Read(*this);
            continue;
        }
        TMemoryStream block;
        String bytes = ReadBinary();
        block.Write(bytes.data(), static_cast<int>(bytes.size()));
        block.SetPosition(0);
        found->ReadBinary(block);
    }
    ReadListEnd();
}

// ---- Writing

void TWriter::WriteBytes(const void* buffer, int count) {
    Stream().WriteBuffer(buffer, count);
}

void TWriter::WriteValue(TValueType value) {
    uint8_t code = value;
    WriteBytes(&code, 1);
}

void TWriter::WriteInteger(int value) {
    uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    if (value >= -128 && value <= 127) {
        WriteValue(vaInt8);
        WriteBytes(bytes, 1);
    } else if (value >= -32768 && value <= 32767) {
        WriteValue(vaInt16);
        WriteBytes(bytes, 2);
    } else {
        WriteValue(vaInt32);
        WriteBytes(bytes, 4);
    }
}

void TWriter::WriteString(const String& value) {
    uint32_t length = static_cast<uint32_t>(value.size());
    if (length <= 255) {
        WriteValue(vaString);
        uint8_t shortLength = static_cast<uint8_t>(length);
        WriteBytes(&shortLength, 1);
    } else {
        WriteValue(vaLString);
        uint8_t bytes[4] = {static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                            static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
        WriteBytes(bytes, 4);
    }
    WriteBytes(value.data(), static_cast<int>(length));
}

void TWriter::WriteShortText(const String& value) {
    uint8_t length = static_cast<uint8_t>(std::min<size_t>(value.size(), 255));
    WriteBytes(&length, 1);
    WriteBytes(value.data(), length);
}

void TWriter::DefineProperty(const String& Name, TReaderProc, TWriterProc WriteData, bool HasData) {
    if (HasData)
        FDefinitions.push_back(TDefinition{Name, std::move(WriteData), nullptr});
}

void TWriter::DefineBinaryProperty(const String& Name, TStreamProc, TStreamProc WriteData,
                                   bool HasData) {
    if (HasData)
        FDefinitions.push_back(TDefinition{Name, nullptr, std::move(WriteData)});
}

void TWriter::WriteProperties() {
    for (const TDefinition& definition : FDefinitions) {
        WriteShortText(definition.Name);
        if (definition.Write) {
            definition.Write(*this);
            continue;
        }
        TMemoryStream block;
        definition.WriteBinary(block);
        uint32_t size = static_cast<uint32_t>(block.Size());
        WriteValue(vaBinary);
        uint8_t bytes[4] = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                            static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
        WriteBytes(bytes, 4);
        WriteBytes(block.Memory(), static_cast<int>(size));
    }
    WriteListEnd();
}
