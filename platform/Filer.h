#pragma once
// The form stream's filer: values written in the stream's binary encoding, each starting with a
// one-byte code, and the properties that a component defines for itself (by name, with a
// routine that reads the value and one that writes it). A property's name precedes its value as
// a short text: one length byte and the characters.

#include "platform/Classes.h"

#include <functional>
#include <vector>

enum TValueType : uint8_t {
    vaNull = 0, // end of a list
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6, // up to 255 characters
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12, // longer texts
};

class TReader;
class TWriter;
using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;
using TStreamProc = std::function<void(TStream& Stream)>;

// What reading and writing share: the stream, and the component's own property definitions
// that the component's DefineProperties makes through DefineProperty.
class TFiler : public TObject {
public:
    explicit TFiler(TStream& stream) : FStream(stream) {}
    TStream& Stream() const { return FStream; }
    // hasData: the writer writes the property only when it is set.
    virtual void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData,
                                bool HasData) = 0;
    virtual void DefineBinaryProperty(const String& Name, TStreamProc ReadData,
                                      TStreamProc WriteData, bool HasData) = 0;

private:
    TStream& FStream;
};

class TReader : public TFiler {
public:
    using TFiler::TFiler;
    TValueType ReadValue();
    TValueType NextValue(); // without consuming it
    void ReadListBegin();
    void ReadListEnd();
    bool EndOfList();
    // Any of the three integer codes.
    int ReadInteger();
    // Code 6 or 12.
    String ReadString();
    // The bytes of a code-10 block.
    String ReadBinary();

    // Reads "name value" pairs up to the end of the list and hands each value to the definition of
    // that name; a name nobody defined is a read error.
    void ReadProperties();
    void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData,
                              bool HasData) override;

private:
    void ReadBytes(void* buffer, int count);
    String ReadShortText();
    [[noreturn]] void InvalidValue() const;

    struct TDefinition {
        String Name;
        TReaderProc Read;
        TStreamProc ReadBinary;
    };
    std::vector<TDefinition> FDefinitions;
};

class TWriter : public TFiler {
public:
    using TFiler::TFiler;
    void WriteValue(TValueType value);
    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }
    // With the smallest of codes 2, 3 and 4 that holds it.
    void WriteInteger(int value);
    // Code 6 up to 255 characters, else 12.
    void WriteString(const String& value);

    // Writes each property defined with data as its name and value, in the order defined, then
    // the end of the list.
    void WriteProperties();
    void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData,
                              bool HasData) override;

private:
    void WriteBytes(const void* buffer, int count);
    void WriteShortText(const String& value);

    struct TDefinition {
        String Name;
        TWriterProc Write;
        TStreamProc WriteBinary;
    };
    std::vector<TDefinition> FDefinitions;
};
