#include "platform/RegistryStore.h"

#include "platform/FileUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

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

namespace {

const String CurrentUserName = "HKEY_CURRENT_USER";
const String LocalMachineName = "HKEY_LOCAL_MACHINE";

// ---- Reading the file ----

bool ReadHexNumber(const String& digits, size_t maxDigits, uint32_t& value) {
    if (digits.empty() || digits.size() > maxDigits)
        return false;
    value = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
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

} // namespace

String ReadRegistryText(const String& text, RegistryKey& currentUser, RegistryKey& localMachine) {
    return RegistryFileReader(text, currentUser, localMachine).Problem();
}

String RegistryText(const RegistryKey& currentUser, const RegistryKey& localMachine) {
    String out = "REGEDIT4\r\n\r\n";
    AppendKey(out, CurrentUserName, currentUser, true);
    AppendKey(out, LocalMachineName, localMachine, true);
    return out;
}

namespace {

// ---- The store ----

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

// Why Save could not write the file now, "" when it could: the file's own mode, which the write
// respects, then a file of the store's own made and removed beside it.
String SaveObstacle(const String& fileName) {
    if (FileIsReadOnly(fileName))
        return "it is read-only";
    const String folder = ExtractFileDir(fileName);
    if (!folder.empty() && !DirectoryExists(folder) && !ForceDirectories(folder))
        return "its folder cannot be made";
    String probe = fileName + ".XXXXXX";
    const int handle = mkstemp(probe.data());
    if (handle < 0)
        return std::error_code(errno, std::generic_category()).message();
    close(handle);
    unlink(probe.c_str());
    return "";
}

} // namespace

RegistryStore& RegistryStore::Current() {
    static RegistryStore store;
    const String fileName = StoreFileName();
    if (!store.FLoaded || fileName != store.FFileName || FileStampOf(fileName) != store.FStamp)
        store.Load(fileName);
    return store;
}

RegistryKey* RegistryStore::Find(HKEY root, const std::vector<String>& path) {
    RegistryKey* key = Root(root);
    for (size_t i = 0; key && i < path.size(); ++i)
        key = key->FindSubKey(path[i]);
    return key;
}

RegistryKey* RegistryStore::Create(HKEY root, const std::vector<String>& path) {
    RegistryKey* key = Root(root);
    if (!key || !std::all_of(path.begin(), path.end(), FitsOnOneLine))
        return nullptr;
    for (const String& name : path)
        key = &key->SubKey(name);
    return key;
}

void RegistryStore::CheckWritable(const String& failure) const {
    if (!FWriteBlocked.empty() && !FKeepInMemory)
        throw ERegistryException(failure + ": " + FWriteBlocked);
}

void RegistryStore::Save(const String& failure) {
    if (FKeepInMemory)
        return;
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

String RegistryStore::WriteProblem() const {
    if (!FWriteBlocked.empty())
        return "Settings will not be saved: " + FWriteBlocked + ".";
    const String obstacle = SaveObstacle(FFileName);
    if (obstacle.empty())
        return "";
    return "The settings file " + FFileName + " cannot be written (" + obstacle +
           "). Settings will not be saved; the settings read from it are used.";
}

RegistryKey* RegistryStore::Root(HKEY root) {
    return root == HKEY_CURRENT_USER    ? &FCurrentUser
           : root == HKEY_LOCAL_MACHINE ? &FLocalMachine
                                        : nullptr;
}

String RegistryStore::Text() const {
    return RegistryText(FCurrentUser, FLocalMachine);
}

namespace {

// Programs for web pages and for mail, news and ftp addresses are registered on the machine as
// the desktop's default handlers, unless the settings file registers programs of its own there.
void RegisterDesktopHandlers(RegistryKey& machine) {
    RegistryKey& software = machine.SubKey("Software");
    if (software.FindSubKey("Classes"))
        return;
    RegistryKey& classes = software.SubKey("Classes");
    classes.SubKey(".html").SetValue("", REG_SZ, "htmlfile");
    for (const char* type : {"htmlfile", "mailto", "news", "ftp"})
        classes.SubKey(type).SubKey("shell").SubKey("open").SubKey("command").SetValue(
            "", REG_SZ, "xdg-open \"%1\"");
}

} // namespace

void RegistryStore::Load(const String& fileName) {
    ReadFile(fileName);
    RegisterDesktopHandlers(FLocalMachine);
}

void RegistryStore::ReadFile(const String& fileName) {
    if (fileName != FFileName) {
        FProblem.clear();
        FKeepInMemory = false;
    }
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
    const String problem = ReadRegistryText(text, FCurrentUser, FLocalMachine);
    if (!problem.empty())
        KeepDamagedFileAside(problem);
}

void RegistryStore::KeepDamagedFileAside(const String& problem) {
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

void RegistryStore::Report(const String& message) {
    FProblem = message;
    fprintf(stderr, "%s\n", message.c_str());
}

String RegistryLoadProblem() {
    return RegistryStore::Current().Problem();
}

String RegistryWriteProblem() {
    return RegistryStore::Current().WriteProblem();
}

void KeepRegistryChangesInMemory() {
    RegistryStore::Current().KeepChangesInMemory();
}
