#include "platform/Registry.h"

#include "platform/FileStamp.h"
#include "platform/FileUtils.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <pwd.h>
#include <unistd.h>

namespace {

// The value types as the file names them: "hex(2):" is an expandable string, and so on.
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_EXPAND_SZ = 2;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;

const String CurrentUserName = "HKEY_CURRENT_USER";
const String LocalMachineName = "HKEY_LOCAL_MACHINE";

bool IsStringType(uint32_t type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

TRegDataType DataTypeOf(uint32_t type) {
    switch (type) {
    case REG_SZ:
        return rdString;
    case REG_EXPAND_SZ:
        return rdExpandString;
    case REG_DWORD:
        return rdInteger;
    case REG_BINARY:
        return rdBinary;
    default:
        return rdUnknown;
    }
}

// The file is line-based: a name or a quoted string may hold no line end and no zero byte.
bool FitsOnOneLine(const String& text) {
    return text.find_first_of(String("\r\n\0", 3)) == String::npos;
}

std::vector<String> SplitAt(const String& text, char separator) {
    std::vector<String> pieces;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != String::npos; start = end + 1)
        pieces.push_back(text.substr(start, end - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

String DwordBytes(uint32_t value) {
    String bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

uint32_t DwordOf(const String& bytes) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

String GetDataFailed(const String& name) {
    return "Failed to get data for '" + name + "'";
}
String SetDataFailed(const String& name) {
    return "Failed to set data for '" + name + "'";
}
String InvalidDataType(const String& name) {
    return "Invalid data type for '" + name + "'";
}

} // namespace

struct RegistryValue {
    String Name;
    uint32_t Type = REG_SZ;
    String Data; // a string without its end zero; an integer as 4 bytes, lowest first
};

struct RegistryKey {
    String Name;
    std::vector<RegistryValue> Values;                 // in the order they were created
    std::vector<std::unique_ptr<RegistryKey>> SubKeys; // in name order, without regard to case

    RegistryValue* FindValue(const String& name) {
        for (RegistryValue& value : Values)
            if (SameText(value.Name, name))
                return &value;
        return nullptr;
    }

    void SetValue(const String& name, uint32_t type, const String& data) {
        RegistryValue* value = FindValue(name);
        if (!value)
            value = &Values.emplace_back(RegistryValue{name, type, {}});
        value->Type = type;
        value->Data = data;
    }

    bool RemoveValue(const String& name) {
        RegistryValue* value = FindValue(name);
        if (!value)
            return false;
        Values.erase(Values.begin() + (value - Values.data()));
        return true;
    }

    RegistryKey* FindSubKey(const String& name) const {
        const size_t at = SubKeyIndex(name);
        return at < SubKeys.size() && SameText(SubKeys[at]->Name, name) ? SubKeys[at].get()
                                                                        : nullptr;
    }

    RegistryKey& SubKey(const String& name) {
        if (RegistryKey* found = FindSubKey(name))
            return *found;
        auto key = std::make_unique<RegistryKey>();
        key->Name = name;
        return **SubKeys.insert(SubKeys.begin() + SubKeyIndex(name), std::move(key));
    }

    bool RemoveSubKey(const String& name) {
        if (!FindSubKey(name))
            return false;
        SubKeys.erase(SubKeys.begin() + SubKeyIndex(name));
        return true;
    }

private:
    size_t SubKeyIndex(const String& name) const {
        auto at = std::lower_bound(SubKeys.begin(), SubKeys.end(), name,
                                   [](const std::unique_ptr<RegistryKey>& key, const String& n) {
                                       return CompareText(key->Name, n) < 0;
                                   });
        return at - SubKeys.begin();
    }
};

namespace {

// ---- Reading the file ----

bool ReadHexNumber(const String& digits, size_t maxDigits, uint32_t& value) {
    if (digits.empty() || digits.size() > maxDigits)
        return false;
    value = 0;
    for (char c : digits) {
        const int digit = (c >= '0' && c <= '9')   ? c - '0'
                          : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                          : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                   : -1;
        if (digit < 0)
            return false;
        value = value * 16 + digit;
    }
    return true;
}

// A quoted text at pos, where the only escapes are \\ and \"; pos ends after the closing quote.
bool ReadQuoted(const String& line, size_t& pos, String& text) {
    text.clear();
    for (++pos; pos < line.size();) {
        char c = line[pos++];
        if (c == '"')
            return true;
        if (c == '\\' && pos < line.size() && (line[pos] == '\\' || line[pos] == '"'))
            c = line[pos++];
        text += c;
    }
    return false;
}

bool StartsWithText(const String& text, const String& start) {
    return SameText(text.substr(0, start.size()), start);
}

// Reads REGEDIT4 text into the two roots. A line it cannot read is noted and passed over, so
// everything else in the file is kept.
class RegistryFileReader {
public:
    RegistryFileReader(const String& text, RegistryKey& currentUser, RegistryKey& localMachine)
        : FLines(SplitAt(text, '\n')), FCurrentUser(currentUser), FLocalMachine(localMachine) {
        for (String& line : FLines)
            line = Trim(line);
        ReadLines();
    }

    // "" when the whole file was read, else where and what the first problem is.
    const String& Problem() const { return FProblem; }

private:
    void ReadLines() {
        while (FLine < FLines.size() && FLines[FLine].empty())
            ++FLine;
        if (FLine == FLines.size())
            return;
        if (FLines[FLine] == "REGEDIT4")
            ++FLine;
        else
            Note("the REGEDIT4 header is missing");
        for (; FLine < FLines.size(); ++FLine) {
            const String& line = FLines[FLine];
            if (line.empty() || line[0] == ';')
                continue;
            if (line[0] == '[')
                ReadKeyLine(line);
            else if (line[0] == '"' || line[0] == '@')
                ReadValueLine(line);
            else
                Note("this is not a line of a registry file");
        }
    }

    void ReadKeyLine(const String& line) {
        FKey = nullptr;
        if (line.back() != ']')
            return Note("a key name is not closed by \"]\"");
        const std::vector<String> names = SplitAt(line.substr(1, line.size() - 2), '\\');
        RegistryKey* key = SameText(names[0], CurrentUserName)    ? &FCurrentUser
                           : SameText(names[0], LocalMachineName) ? &FLocalMachine
                                                                  : nullptr;
        if (!key)
            return Note("unknown root key \"" + names[0] + "\"");
        for (size_t i = 1; i < names.size(); ++i) {
            if (names[i].empty())
                return Note("a key name is empty");
            key = &key->SubKey(names[i]);
        }
        FKey = key;
    }

    void ReadValueLine(const String& line) {
        size_t pos = 0;
        String name;
        if (line[0] == '@')
            pos = 1;
        else if (!ReadQuoted(line, pos, name))
            return Note("a value name is not closed");
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        if (pos == line.size() || line[pos] != '=')
            return Note("\"=\" is missing after a value name");
        String data = TrimLeft(line.substr(pos + 1));
        if (StartsWithText(data, "hex") && !JoinContinuedLines(data))
            return Note("a hex value is cut off");
        uint32_t type = 0;
        String bytes;
        if (!ReadData(data, type, bytes))
            return;
        if (!FKey)
            return Note("a value stands outside a key");
        FKey->SetValue(name, type, bytes);
    }

    // A long hex value goes on in the next line after a "\" at the end of the line.
    bool JoinContinuedLines(String& data) {
        while (!data.empty() && data.back() == '\\') {
            data.pop_back();
            if (FLine + 1 == FLines.size())
                return false;
            data += FLines[++FLine];
        }
        return true;
    }

    bool ReadData(const String& data, uint32_t& type, String& bytes) {
        if (!data.empty() && data[0] == '"') {
            size_t pos = 0;
            type = REG_SZ;
            if (ReadQuoted(data, pos, bytes) && pos == data.size())
                return true;
            Note("a string value is not closed");
            return false;
        }
        if (StartsWithText(data, "dword:")) {
            uint32_t value = 0;
            type = REG_DWORD;
            if (ReadHexNumber(data.substr(6), 8, value)) {
                bytes = DwordBytes(value);
                return true;
            }
            Note("a dword value is not 1 to 8 hexadecimal digits");
            return false;
        }
        if (StartsWithText(data, "hex:")) {
            type = REG_BINARY;
            return ReadHexBytes(data.substr(4), bytes);
        }
        const size_t close = data.find("):");
        if (StartsWithText(data, "hex(") && close != String::npos &&
            ReadHexNumber(data.substr(4, close - 4), 8, type)) {
            if (!ReadHexBytes(data.substr(close + 2), bytes))
                return false;
            if (IsStringType(type) && !bytes.empty() && bytes.back() == '\0')
                bytes.pop_back();
            return true;
        }
        Note("unknown value type");
        return false;
    }

    bool ReadHexBytes(const String& list, String& bytes) {
        bytes.clear();
        if (Trim(list).empty())
            return true;
        for (const String& item : SplitAt(list, ',')) {
            uint32_t value = 0;
            if (!ReadHexNumber(Trim(item), 2, value)) {
                Note("a hex value is damaged or cut off");
                return false;
            }
            bytes += static_cast<char>(value);
        }
        return true;
    }

    void Note(const String& what) {
        if (FProblem.empty())
            FProblem = "line " + IntToStr(static_cast<int64_t>(FLine) + 1) + ": " + what;
    }

    std::vector<String> FLines;
    size_t FLine = 0;
    RegistryKey& FCurrentUser;
    RegistryKey& FLocalMachine;
    RegistryKey* FKey = nullptr;
    String FProblem;
};

// ---- Writing the file, as regedit exports it ----

void AppendQuoted(String& out, const String& text) {
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
}

void AppendHexBytes(String& out, size_t lineStart, const String& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        out += Format("%02x", static_cast<unsigned char>(bytes[i]));
        if (i + 1 == bytes.size())
            break;
        out += ',';
        if (out.size() - lineStart > 76) {
            out += "\\\r\n  ";
            lineStart = out.size() - 2;
        }
    }
}

void AppendValue(String& out, const RegistryValue& value) {
    const size_t lineStart = out.size();
    if (value.Name.empty())
        out += '@';
    else
        AppendQuoted(out, value.Name);
    out += '=';
    if (value.Type == REG_SZ && FitsOnOneLine(value.Data)) {
        AppendQuoted(out, value.Data);
    } else if (value.Type == REG_DWORD && value.Data.size() == 4) {
        out += Format("dword:%08x", DwordOf(value.Data));
    } else {
        out += value.Type == REG_BINARY ? String("hex:") : Format("hex(%x):", value.Type);
        AppendHexBytes(out, lineStart, IsStringType(value.Type) ? value.Data + '\0' : value.Data);
    }
    out += "\r\n";
}

// A root is written only when it holds values of its own; every other key is written even when
// empty, so that it is still there when the file is read again.
void AppendKey(String& out, const String& path, const RegistryKey& key, bool isRoot) {
    if (!isRoot || !key.Values.empty()) {
        out += "[" + path + "]\r\n";
        for (const RegistryValue& value : key.Values)
            AppendValue(out, value);
        out += "\r\n";
    }
    for (const auto& subKey : key.SubKeys)
        AppendKey(out, path + "\\" + subKey->Name, *subKey, false);
}

// ---- The store ----

String EnvironmentValue(const char* name) {
    const char* value = getenv(name);
    return value ? value : "";
}

String HomeFolder() {
    String home = EnvironmentValue("HOME");
    if (home.empty()) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : ".";
    }
    return home;
}

String StoreFileName() {
    String fileName = EnvironmentValue("QUILTMARKER_REGISTRY");
    if (!fileName.empty())
        return fileName;
    String config = EnvironmentValue("XDG_CONFIG_HOME");
    if (config.empty())
        config = HomeFolder() + "/.config";
    return config + "/quiltmarker/registry.reg";
}

String AsideName(const String& fileName) {
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const String base = fileName + ".damaged-" + stamp;
    String name = base;
    for (int n = 2; FileExists(name); ++n)
        name = base + "-" + IntToStr(n);
    return name;
}

class RegistryStore {
public:
    // The store of the file in use, read again when the file or its path changed.
    static RegistryStore& Current() {
        static RegistryStore store;
        const String fileName = StoreFileName();
        if (!store.FLoaded || fileName != store.FFileName || FileStampOf(fileName) != store.FStamp)
            store.Load(fileName);
        return store;
    }

    RegistryKey* Find(HKEY root, const std::vector<String>& path) {
        RegistryKey* key = Root(root);
        for (size_t i = 0; key && i < path.size(); ++i)
            key = key->FindSubKey(path[i]);
        return key;
    }

    // Creates in memory what is missing; null for an unknown root or a name the file cannot hold.
    RegistryKey* Create(HKEY root, const std::vector<String>& path) {
        RegistryKey* key = Root(root);
        if (!key || !std::all_of(path.begin(), path.end(), FitsOnOneLine))
            return nullptr;
        for (const String& name : path)
            key = &key->SubKey(name);
        return key;
    }

    // A file that could not be read, or not be kept aside when damaged, is never written over.
    void CheckWritable(const String& failure) const {
        if (!FWriteBlocked.empty())
            throw ERegistryException(failure + ": " + FWriteBlocked);
    }

    void Save(const String& failure) {
        try {
            const String folder = ExtractFileDir(FFileName);
            if (!folder.empty() && !DirectoryExists(folder))
                ForceDirectories(folder);
            WriteFileAtomic(FFileName, Text());
            FStamp = FileStampOf(FFileName);
        } catch (const Exception& e) {
            // The file still holds the store as it was: read it again rather than keep in
            // memory what never reached it.
            FLoaded = false;
            throw ERegistryException(failure + ": " + e.Message());
        }
    }

    const String& Problem() const { return FProblem; }

private:
    RegistryKey* Root(HKEY root) {
        return root == HKEY_CURRENT_USER    ? &FCurrentUser
               : root == HKEY_LOCAL_MACHINE ? &FLocalMachine
                                            : nullptr;
    }

    String Text() const {
        String out = "REGEDIT4\r\n\r\n";
        AppendKey(out, CurrentUserName, FCurrentUser, true);
        AppendKey(out, LocalMachineName, FLocalMachine, true);
        return out;
    }

    void Load(const String& fileName) {
        if (fileName != FFileName)
            FProblem.clear();
        FFileName = fileName;
        FLoaded = true;
        FWriteBlocked.clear();
        FCurrentUser = RegistryKey{};
        FLocalMachine = RegistryKey{};
        FStamp = FileStampOf(fileName);
        if (!FStamp.Exists)
            return;
        String text;
        try {
            text = ReadFileBytes(fileName);
        } catch (const Exception& e) {
            FWriteBlocked = "the settings file " + fileName + " could not be read";
            return Report("The settings file " + fileName + " could not be read (" + e.Message() +
                          "). Settings will not be saved, so that the file is not written over.");
        }
        RegistryFileReader reader(text, FCurrentUser, FLocalMachine);
        if (!reader.Problem().empty())
            KeepDamagedFileAside(reader.Problem());
    }

    void KeepDamagedFileAside(const String& problem) {
        const String aside = AsideName(FFileName);
        if (!RenameFile(FFileName, aside)) {
            FWriteBlocked = "the damaged settings file " + FFileName + " could not be kept aside";
            return Report("The settings file " + FFileName + " is damaged (" + problem +
                          ") and could not be renamed. Settings will not be saved, so that the "
                          "file is not written over.");
        }
        FStamp = FileStampOf(FFileName);
        Report("The settings file " + FFileName + " is damaged (" + problem + "). It was kept as " +
               aside + "; the settings that could be read are used.");
    }

    void Report(const String& message) {
        FProblem = message;
        fprintf(stderr, "%s\n", message.c_str());
    }

    String FFileName;
    bool FLoaded = false;
    TFileStamp FStamp;
    RegistryKey FCurrentUser;
    RegistryKey FLocalMachine;
    String FWriteBlocked; // why the file must not be written, "" when it may
    String FProblem;
};

bool IsAbsolute(const String& key) {
    return !key.empty() && key[0] == '\\';
}

// The names of a key path; empty names (in "a\\b" or after a trailing "\") are passed over.
std::vector<String> NamesIn(const String& key) {
    std::vector<String> names = SplitAt(key, '\\');
    std::erase(names, String());
    return names;
}

// A registry-backed INI file reads every value as text.
bool TextOf(const RegistryValue& value, String& text) {
    if (IsStringType(value.Type))
        text = value.Data;
    else if (value.Type == REG_DWORD && value.Data.size() == 4)
        text = IntToStr(static_cast<int32_t>(DwordOf(value.Data)));
    else
        return false;
    return true;
}

} // namespace

String RegistryLoadProblem() {
    return RegistryStore::Current().Problem();
}

// ---- TRegistry ----

void TRegistry::SetRootKey(HKEY value) {
    CloseKey();
    FRootKey = value;
}

String TRegistry::CurrentPath() const {
    String path;
    for (const String& name : FPath)
        path += (path.empty() ? "" : "\\") + name;
    return path;
}

TRegistry::KeyPath TRegistry::PathOf(const String& key) const {
    KeyPath path = FOpen && !IsAbsolute(key) ? FPath : KeyPath{};
    for (const String& name : NamesIn(key))
        path.push_back(name);
    return path;
}

// A key opened for reading only lets nothing be changed through it.
bool TRegistry::MayChange(const String& key) const {
    return !(FOpen && FReadOnly && !IsAbsolute(key));
}

RegistryKey* TRegistry::FindKey(const String& key) const {
    return RegistryStore::Current().Find(FRootKey, PathOf(key));
}

RegistryKey* TRegistry::OpenNode() const {
    return FOpen ? RegistryStore::Current().Find(FRootKey, FPath) : nullptr;
}

RegistryKey* TRegistry::MakeKey(const String& key, const String& failure) {
    if (!MayChange(key))
        return nullptr;
    RegistryStore& store = RegistryStore::Current();
    store.CheckWritable(failure);
    RegistryKey* node = store.Create(FRootKey, PathOf(key));
    if (node)
        store.Save(failure);
    return node;
}

bool TRegistry::OpenKey(const String& key, bool canCreate) {
    KeyPath path = PathOf(key);
    if (!FindKey(key) && !(canCreate && MakeKey(key, "Failed to create key " + key)))
        return false;
    FOpen = true;
    FReadOnly = false;
    FPath = std::move(path);
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
    if (!FindKey(key))
        return false;
    FPath = PathOf(key);
    FOpen = true;
    FReadOnly = true;
    return true;
}

bool TRegistry::CreateKey(const String& key) {
    const String failure = "Failed to create key " + key;
    if (!FindKey(key) && !MakeKey(key, failure))
        throw ERegistryException(failure);
    return true;
}

void TRegistry::CloseKey() {
    FOpen = false;
    FReadOnly = false;
    FPath.clear();
}

bool TRegistry::KeyExists(const String& key) const {
    return FindKey(key) != nullptr;
}

bool TRegistry::RemoveKey(const String& key) {
    if (!MayChange(key) || NamesIn(key).empty())
        return false;
    KeyPath path = PathOf(key);
    const String name = path.back();
    path.pop_back();
    RegistryStore& store = RegistryStore::Current();
    RegistryKey* parent = store.Find(FRootKey, path);
    if (!parent || !parent->FindSubKey(name))
        return false;
    const String failure = "Failed to delete key " + key;
    store.CheckWritable(failure);
    parent->RemoveSubKey(name);
    store.Save(failure);
    return true;
}

bool TRegistry::DeleteKey(const String& key) {
    return RemoveKey(key);
}

void TRegistry::GetKeyNames(TStrings* strings) const {
    strings->Clear();
    if (const RegistryKey* node = OpenNode())
        for (const auto& subKey : node->SubKeys)
            strings->Add(subKey->Name);
}

const RegistryValue* TRegistry::ReadValue(const String& name) const {
    RegistryKey* node = OpenNode();
    return node ? node->FindValue(name) : nullptr;
}

bool TRegistry::ValueExists(const String& name) const {
    return ReadValue(name) != nullptr;
}

bool TRegistry::RemoveValue(const String& key, const String& name) {
    if (!MayChange(key))
        return false;
    RegistryStore& store = RegistryStore::Current();
    RegistryKey* node = store.Find(FRootKey, PathOf(key));
    if (!node || !node->FindValue(name))
        return false;
    const String failure = "Failed to delete value '" + name + "'";
    store.CheckWritable(failure);
    node->RemoveValue(name);
    store.Save(failure);
    return true;
}

bool TRegistry::DeleteValue(const String& name) {
    return OpenNode() && RemoveValue("", name);
}

void TRegistry::GetValueNames(TStrings* strings) const {
    strings->Clear();
    if (const RegistryKey* node = OpenNode())
        for (const RegistryValue& value : node->Values)
            strings->Add(value.Name);
}

TRegDataType TRegistry::GetDataType(const String& name) const {
    const RegistryValue* value = ReadValue(name);
    return value ? DataTypeOf(value->Type) : rdUnknown;
}

int TRegistry::GetDataSize(const String& name) const {
    const RegistryValue* value = ReadValue(name);
    if (!value)
        return -1;
    return static_cast<int>(value->Data.size()) + (IsStringType(value->Type) ? 1 : 0);
}

void TRegistry::PutValue(const String& key, const String& name, uint32_t type, const String& data) {
    const String failure = SetDataFailed(name);
    if (!MayChange(key) || !FitsOnOneLine(name))
        throw ERegistryException(failure);
    RegistryStore& store = RegistryStore::Current();
    store.CheckWritable(failure);
    RegistryKey* node = store.Create(FRootKey, PathOf(key));
    if (!node)
        throw ERegistryException(failure);
    node->SetValue(name, type, data);
    store.Save(failure);
}

// As with the system's registry, values are written only into a key that is open and exists.
void TRegistry::WriteData(const String& name, uint32_t type, const String& data) {
    if (!OpenNode())
        throw ERegistryException(SetDataFailed(name));
    PutValue("", name, type, data);
}

const String& TRegistry::ReadFixed(const String& name, uint32_t type, size_t size) const {
    const RegistryValue* value = ReadValue(name);
    if (!value)
        throw ERegistryException(GetDataFailed(name));
    if (value->Type != type || value->Data.size() != size)
        throw ERegistryException(InvalidDataType(name));
    return value->Data;
}

String TRegistry::ReadString(const String& name) const {
    const RegistryValue* value = ReadValue(name);
    if (!value)
        return "";
    if (!IsStringType(value->Type))
        throw ERegistryException(InvalidDataType(name));
    return value->Data;
}

void TRegistry::WriteString(const String& name, const String& value) {
    WriteData(name, REG_SZ, value);
}

int TRegistry::ReadInteger(const String& name) const {
    return static_cast<int32_t>(DwordOf(ReadFixed(name, REG_DWORD, 4)));
}

void TRegistry::WriteInteger(const String& name, int value) {
    WriteData(name, REG_DWORD, DwordBytes(static_cast<uint32_t>(value)));
}

bool TRegistry::ReadBool(const String& name) const {
    return ReadInteger(name) != 0;
}

void TRegistry::WriteBool(const String& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

double TRegistry::ReadFloat(const String& name) const {
    double value = 0;
    memcpy(&value, ReadFixed(name, REG_BINARY, sizeof value).data(), sizeof value);
    return value;
}

void TRegistry::WriteFloat(const String& name, double value) {
    WriteBinaryData(name, &value, sizeof value);
}

int TRegistry::ReadBinaryData(const String& name, void* buffer, int bufSize) const {
    const RegistryValue* value = ReadValue(name);
    if (!value)
        return 0;
    const TRegDataType type = DataTypeOf(value->Type);
    if ((type != rdBinary && type != rdUnknown) || value->Data.size() > size_t(bufSize))
        throw ERegistryException(InvalidDataType(name));
    memcpy(buffer, value->Data.data(), value->Data.size());
    return static_cast<int>(value->Data.size());
}

void TRegistry::WriteBinaryData(const String& name, const void* buffer, int bufSize) {
    WriteData(name, REG_BINARY, String(static_cast<const char*>(buffer), bufSize));
}

// ---- TRegIniFile ----

TRegIniFile::TRegIniFile(const String& fileName) : FFileName(fileName) {
    OpenKey(fileName, true);
}

bool TRegIniFile::ReadText(const String& section, const String& name, String& text) {
    RegistryKey* key = FindKey(section);
    const RegistryValue* value = key ? key->FindValue(name) : nullptr;
    return value && TextOf(*value, text);
}

String TRegIniFile::ReadString(const String& section, const String& name,
                               const String& defaultValue) {
    String text;
    return ReadText(section, name, text) ? text : defaultValue;
}

void TRegIniFile::WriteString(const String& section, const String& name, const String& value) {
    PutValue(section, name, REG_SZ, value);
}

int TRegIniFile::ReadInteger(const String& section, const String& name, int defaultValue) {
    String text;
    return ReadText(section, name, text) ? StrToIntDef(text, defaultValue) : defaultValue;
}

void TRegIniFile::WriteInteger(const String& section, const String& name, int value) {
    WriteString(section, name, IntToStr(value));
}

bool TRegIniFile::ReadBool(const String& section, const String& name, bool defaultValue) {
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const String& section, const String& name, bool value) {
    WriteString(section, name, value ? "1" : "0");
}

void TRegIniFile::ReadSection(const String& section, TStrings* strings) {
    strings->Clear();
    if (const RegistryKey* key = FindKey(section))
        for (const RegistryValue& value : key->Values)
            strings->Add(value.Name);
}

void TRegIniFile::ReadSections(TStrings* strings) {
    GetKeyNames(strings);
}

void TRegIniFile::ReadSectionValues(const String& section, TStrings* strings) {
    strings->Clear();
    if (const RegistryKey* key = FindKey(section))
        for (const RegistryValue& value : key->Values) {
            String text;
            TextOf(value, text);
            strings->Add(value.Name + "=" + text);
        }
}

void TRegIniFile::EraseSection(const String& section) {
    RemoveKey(section);
}

void TRegIniFile::DeleteKey(const String& section, const String& name) {
    RemoveValue(section, name);
}
