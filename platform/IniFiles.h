#pragma once
// INI files as the system's profile routines read and write them.
//
// Section and key names compare without regard to case. Reading drops the blanks around names and
// values and one pair of quotes around a value; the first of two keys of one name counts, and so
// does the first of two sections of one name. Lines before the first section, comments and lines
// that are not "key=value" mean nothing to the reader and are kept when the file is written.
// Files with LF line ends are read; the file is written with CR LF. Every write reaches the file
// before the call returns; a write that fails raises EIniFileException naming the file.

#include "platform/Classes.h"

#include <memory>

class TIniFile : public TObject {
public:
    explicit TIniFile(const String& fileName);
    ~TIniFile() override;
    const String& FileName() const { return FFileName; }

    String ReadString(const String& section, const String& name, const String& defaultValue);
    void WriteString(const String& section, const String& name, const String& value);
    // Decimal, or hexadecimal after "0x" or "$"; any other text gives the default.
    int ReadInteger(const String& section, const String& name, int defaultValue);
    void WriteInteger(const String& section, const String& name, int value);
    bool ReadBool(const String& section, const String& name, bool defaultValue);
    void WriteBool(const String& section, const String& name, bool value); // "1" or "0"
    // With a full stop as the decimal point; any other text gives the default.
    double ReadFloat(const String& section, const String& name, double defaultValue);

    void ReadSection(const String& section, TStrings* strings); // the key names, in file order
    void ReadSections(TStrings* strings);
    void ReadSectionValues(const String& section, TStrings* strings); // "name=value" lines
    void EraseSection(const String& section);
    void DeleteKey(const String& section, const String& name);
    bool SectionExists(const String& section); // a section without keys counts as missing
    bool ValueExists(const String& section, const String& name);

private:
    struct Contents;
    Contents& Current();
    Contents& CurrentForWriting();
    void Save(Contents& contents);
    [[noreturn]] void RaiseWriteError(const String& reason) const;

    String FFileName;
    std::unique_ptr<Contents> FContents;
};
