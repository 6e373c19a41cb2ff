#include "platform/IniFiles.h"

#include "platform/FileStamp.h"
#include "platform/FileUtils.h"

#include <unordered_map>

namespace {

struct IniKey {
    String Name;
    String Value;
    size_t Line;
};

struct IniSection {
    String Name;
    size_t Header;                               // the line of "[Name]"
    size_t End;                                  // the line after the section's last line
    std::vector<IniKey> Keys;                    // the first key of each name, in file order
    std::unordered_map<String, size_t> KeyIndex; // upper-case name -> Keys

    const IniKey* Find(const String& name) const {
        auto at = KeyIndex.find(UpperCase(name));
        return at == KeyIndex.end() ? nullptr : &Keys[at->second];
    }
};

bool IsSectionHeader(const String& line, String& name) {
    const String text = TrimLeft(line);
    const size_t close = text.rfind(']');
    if (text.empty() || text[0] != '[' || close == String::npos)
        return false;
    name = Trim(text.substr(1, close - 1));
    return true;
}

// The key of a "key=value" line; "" for a comment, a broken section header or any other line.
String KeyNameOf(const String& line) {
    const String text = TrimLeft(line);
    const size_t equals = text.find('=');
    if (text.empty() || text[0] == ';' || text[0] == '[' || equals == String::npos)
        return "";
    return Trim(text.substr(0, equals));
}

String ValueOf(const String& line) {
    String value = Trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return value;
}

std::vector<String> LinesOf(const String& text) {
    std::vector<String> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == String::npos)
            end = text.size();
        String line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

bool FitsOnOneLine(const String& text) {
    return text.find_first_of("\r\n") == String::npos;
}

// A name that would read back as something else, or break the file, is refused.
bool IsStorableKey(const String& name) {
    return !name.empty() && FitsOnOneLine(name) && name.find('=') == String::npos &&
           name[0] != '[' && name[0] != ';';
}

} // namespace

struct TIniFile::Contents {
    TFileStamp Stamp;
    String ReadError; // why a file that is there could not be read
    std::vector<String> Lines;
    std::vector<IniSection> Sections;
    std::unordered_map<String, size_t> SectionIndex; // upper-case name -> the first such section

    void Load(const String& fileName) {
        if (!Stamp.Exists)
            return;
        try {
            Lines = LinesOf(ReadFileBytes(fileName));
        } catch (const Exception& e) {
            ReadError = e.Message();
        }
        Index();
    }

    void Index() {
        Sections.clear();
        SectionIndex.clear();
        for (size_t i = 0; i < Lines.size(); ++i) {
            String name;
            if (IsSectionHeader(Lines[i], name)) {
                if (!Sections.empty())
                    Sections.back().End = i;
                Sections.push_back(IniSection{name, i, Lines.size(), {}, {}});
                SectionIndex.emplace(UpperCase(name), Sections.size() - 1);
            } else if (!Sections.empty()) {
                IniSection& section = Sections.back();
                const String key = KeyNameOf(Lines[i]);
                if (!key.empty() &&
                    section.KeyIndex.emplace(UpperCase(key), section.Keys.size()).second)
                    section.Keys.push_back(IniKey{key, ValueOf(Lines[i]), i});
            }
        }
    }

    IniSection* Find(const String& name) {
        auto at = SectionIndex.find(UpperCase(Trim(name)));
        return at == SectionIndex.end() ? nullptr : &Sections[at->second];
    }

    const IniKey* FindKey(const String& section, const String& name) {
        const IniSection* found = Find(section);
        return found ? found->Find(Trim(name)) : nullptr;
    }

    // A new key goes after the section's last line that is not blank.
    size_t EndOfKeys(const IniSection& section) const {
        size_t at = section.End;
        while (at > section.Header + 1 && Trim(Lines[at - 1]).empty())
            --at;
        return at;
    }

    void AppendSection(const String& name, const String& line) {
        if (!Lines.empty() && !Trim(Lines.back()).empty())
            Lines.push_back("");
        Lines.push_back("[" + name + "]");
        Lines.push_back(line);
    }

    String Text() const {
        String text;
        for (const String& line : Lines)
            text += line + "\r\n";
        return text;
    }
};

TIniFile::TIniFile(const String& fileName) : FFileName(fileName) {}

TIniFile::~TIniFile() = default;

TIniFile::Contents& TIniFile::Current() {
    const TFileStamp stamp = FileStampOf(FFileName);
    if (!FContents || FContents->Stamp != stamp) {
        FContents = std::make_unique<Contents>();
        FContents->Stamp = stamp;
        FContents->Load(FFileName);
    }
    return *FContents;
}

// A file that is there but cannot be read is never written over: that would lose it.
TIniFile::Contents& TIniFile::CurrentForWriting() {
    Contents& contents = Current();
    if (!contents.ReadError.empty())
        RaiseWriteError(contents.ReadError);
    return contents;
}

void TIniFile::Save(Contents& contents) {
    try {
        WriteFileAtomic(FFileName, contents.Text());
    } catch (const Exception& e) {
        FContents.reset(); // the file holds what it held; read it again
        RaiseWriteError(e.Message());
    }
    contents.Stamp = FileStampOf(FFileName);
    contents.Index();
}

void TIniFile::RaiseWriteError(const String& reason) const {
    throw EIniFileException("Unable to write to " + FFileName + ": " + reason);
}

String TIniFile::ReadString(const String& section, const String& name, const String& defaultValue) {
    const IniKey* key = Current().FindKey(section, name);
    return key ? key->Value : defaultValue;
}

void TIniFile::WriteString(const String& section, const String& name, const String& value) {
    const String sectionName = Trim(section);
    const String keyName = Trim(name);
    if (!FitsOnOneLine(sectionName) || !IsStorableKey(keyName) || !FitsOnOneLine(value))
        RaiseWriteError("\"" + sectionName + "\", \"" + keyName +
                        "\" or the value cannot be kept "
                        "in one line of an INI file");
    Contents& contents = CurrentForWriting();
    const String line = keyName + "=" + value;
    if (IniSection* found = contents.Find(sectionName)) {
        if (const IniKey* key = found->Find(keyName))
            contents.Lines[key->Line] = key->Name + "=" + value;
        else
            contents.Lines.insert(contents.Lines.begin() + contents.EndOfKeys(*found), line);
    } else {
        contents.AppendSection(sectionName, line);
    }
    Save(contents);
}

int TIniFile::ReadInteger(const String& section, const String& name, int defaultValue) {
    return StrToIntDef(ReadString(section, name, ""), defaultValue);
}

void TIniFile::WriteInteger(const String& section, const String& name, int value) {
    WriteString(section, name, IntToStr(value));
}

bool TIniFile::ReadBool(const String& section, const String& name, bool defaultValue) {
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const String& section, const String& name, bool value) {
    WriteString(section, name, value ? "1" : "0");
}

double TIniFile::ReadFloat(const String& section, const String& name, double defaultValue) {
    const String text = ReadString(section, name, "");
    try {
        return text.empty() ? defaultValue : StrToFloat(text);
    } catch (const EConvertError&) {
        return defaultValue;
    }
}

void TIniFile::ReadSection(const String& section, TStrings* strings) {
    strings->Clear();
    if (const IniSection* found = Current().Find(section))
        for (const IniKey& key : found->Keys)
            strings->Add(key.Name);
}

void TIniFile::ReadSections(TStrings* strings) {
    strings->Clear();
    Contents& contents = Current();
    for (const IniSection& section : contents.Sections)
        if (contents.Find(section.Name) == &section)
            strings->Add(section.Name);
}

void TIniFile::ReadSectionValues(const String& section, TStrings* strings) {
    strings->Clear();
    if (const IniSection* found = Current().Find(section))
        for (const IniKey& key : found->Keys)
            strings->Add(key.Name + "=" + key.Value);
}

// Every section of that name goes, so that no later one comes to light in its place.
void TIniFile::EraseSection(const String& section) {
    Contents& contents = CurrentForWriting();
    const String name = Trim(section);
    bool erased = false;
    for (size_t i = contents.Sections.size(); i-- > 0;) {
        const IniSection& found = contents.Sections[i];
        if (SameText(found.Name, name)) {
            contents.Lines.erase(contents.Lines.begin() + found.Header,
                                 contents.Lines.begin() + found.End);
            erased = true;
        }
    }
    if (erased)
        Save(contents);
}

// Every line of that key goes, so that no later duplicate comes to light in its place.
void TIniFile::DeleteKey(const String& section, const String& name) {
    Contents& contents = CurrentForWriting();
    const String keyName = Trim(name);
    const IniSection* found = contents.Find(section);
    if (!found || keyName.empty())
        return;
    bool deleted = false;
    for (size_t i = found->End; i-- > found->Header + 1;) {
        if (SameText(KeyNameOf(contents.Lines[i]), keyName)) {
            contents.Lines.erase(contents.Lines.begin() + i);
            deleted = true;
        }
    }
    if (deleted)
        Save(contents);
}

bool TIniFile::SectionExists(const String& section) {
    const IniSection* found = Current().Find(section);
    return found && !found->Keys.empty();
}

bool TIniFile::ValueExists(const String& section, const String& name) {
    return Current().FindKey(section, name) != nullptr;
}
