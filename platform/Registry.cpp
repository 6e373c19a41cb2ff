#include "platform/Registry.h"
#include "platform/RegistryStore.h"

#include <cstring>

namespace {

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

String GetDataFailed(const String& name) {
    return "Failed to get data for '" + name + "'";
}
String SetDataFailed(const String& name) {
    return "Failed to set data for '" + name + "'";
}
String InvalidDataType(const String& name) {
    return "Invalid data type for '" + name + "'";
}

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
    // Many settings are written back unchanged at every start: the file is written only for a
    // change, so the start waits for no disk.
    const RegistryValue* stored = node->FindValue(name);
    if (stored && stored->Type == type && stored->Data == data)
        return;
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
