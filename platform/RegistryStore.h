#pragma once
// The store behind TRegistry: the keys and values of one REGEDIT4 file, for Registry's own .cpp
// files.

#include "platform/FileStamp.h"
#include "platform/Registry.h"

#include <memory>
#include <vector>

// The value types as the file names them: "hex(2):" is an expandable string, and so on.
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_EXPAND_SZ = 2;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;

inline bool IsStringType(uint32_t type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// The file is line-based: a name or a quoted string may hold no line end and no zero byte.
inline bool FitsOnOneLine(const String& text) {
    return text.find_first_of(String("\r\n\0", 3)) == String::npos;
}

std::vector<String> SplitAt(const String& text, char separator);
// An integer as 4 bytes, lowest first, and back.
String DwordBytes(uint32_t value);
uint32_t DwordOf(const String& bytes);

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

// Reads REGEDIT4 text into the two roots; a line that cannot be read is passed over. "" when
// the whole text was read, else where and what the first problem is.
String ReadRegistryText(const String& text, RegistryKey& currentUser, RegistryKey& localMachine);
// The two roots as REGEDIT4 text, as the store writes its file.
String RegistryText(const RegistryKey& currentUser, const RegistryKey& localMachine);

class RegistryStore {
public:
    // The store of the file in use, read again when the file or its path changed.
    static RegistryStore& Current();

    RegistryKey* Find(HKEY root, const std::vector<String>& path);
    // Creates in memory what is missing; null for an unknown root or a name the file cannot hold.
    RegistryKey* Create(HKEY root, const std::vector<String>& path);
    // A file that could not be read, or not be kept aside when damaged, is never written over.
    void CheckWritable(const String& failure) const;
    void Save(const String& failure);
    const String& Problem() const { return FProblem; }
    // Why a change could not reach the file now; "" when it could.
    String WriteProblem() const;
    void KeepChangesInMemory() { FKeepInMemory = true; }

private:
    RegistryKey* Root(HKEY root);
    String Text() const;
    void Load(const String& fileName);
    void ReadFile(const String& fileName);
    void KeepDamagedFileAside(const String& problem);
    void Report(const String& message);

    String FFileName;
    bool FLoaded = false;
    TFileStamp FStamp;
    RegistryKey FCurrentUser;
    RegistryKey FLocalMachine;
    String FWriteBlocked; // why the file must not be written, "" when it may
    bool FKeepInMemory = false;
    String FProblem;
};
