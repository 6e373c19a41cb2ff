#pragma once
// The registry: one store per user, kept as a REGEDIT4 text file at $QUILTMARKER_REGISTRY, else
// $XDG_CONFIG_HOME/quiltmarker/registry.reg, else ~/.config/quiltmarker/registry.reg.
//
// Key and value names compare without regard to case and keep the case in which they were first
// written; values keep the order in which they were created; strings are kept byte for byte.
// The store is held in memory and read again only when the file changes on disk (another copy of
// the program wrote it) or the file's path changes. Every change reaches the file before the call
// returns, through a temporary file and a rename.

#include "platform/Classes.h"

#include <cstdint>
#include <vector>

using HKEY = uintptr_t;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct RegistryKey;
struct RegistryValue;

// Keys are paths with "\" between the names. A key with a leading "\" starts at the root key;
// any other key starts at the key that is open, or at the root key when none is.
// Reading a value of another type, or an integer, float or bool that does not exist, raises
// ERegistryException; ReadString of a missing value gives "". Any change that cannot reach the
// file (creating a key included) raises ERegistryException naming the file, and the store stays
// as the file holds it, unless changes are kept in memory (KeepRegistryChangesInMemory).
class TRegistry : public TObject {
public:
    void SetRootKey(HKEY value); // closes the open key
    String CurrentPath() const;  // the open key's path from the root, without a leading "\"

    bool OpenKey(const String& key, bool canCreate);
    bool OpenKeyReadOnly(const String& key); // writes through it raise; false when missing
    bool CreateKey(const String& key);       // leaves the open key as it is
    void CloseKey();
    bool KeyExists(const String& key) const;
    bool DeleteKey(const String& key);         // with all its subkeys; false when missing
    void GetKeyNames(TStrings* strings) const; // in name order

    bool ValueExists(const String& name) const;
    bool DeleteValue(const String& name);
    void GetValueNames(TStrings* strings) const;        // in the order the values were created
    TRegDataType GetDataType(const String& name) const; // rdUnknown when missing
    int GetDataSize(const String& name) const; // -1 when missing; counts a string's end zero

    String ReadString(const String& name) const;
    void WriteString(const String& name, const String& value);
    int ReadInteger(const String& name) const;
    void WriteInteger(const String& name, int value);
    bool ReadBool(const String& name) const;
    void WriteBool(const String& name, bool value);
    double ReadFloat(const String& name) const;
    void WriteFloat(const String& name, double value);
    // The bytes read, 0 when the value is missing; raises when it is not binary or is larger
    // than the buffer.
    int ReadBinaryData(const String& name, void* buffer, int bufSize) const;
    void WriteBinaryData(const String& name, const void* buffer, int bufSize);

protected:
    // The key named as OpenKey names it; null when missing.
    RegistryKey* FindKey(const String& key) const;
    // Creates the key when missing and stores the value, with one write of the file.
    void PutValue(const String& key, const String& name, uint32_t type, const String& data);
    bool RemoveKey(const String& key);
    bool RemoveValue(const String& key, const String& name);

private:
    using KeyPath = std::vector<String>;
    KeyPath PathOf(const String& key) const;
    bool MayChange(const String& key) const;
    RegistryKey* OpenNode() const;
    RegistryKey* MakeKey(const String& key, const String& failure);
    const String& ReadFixed(const String& name, uint32_t type, size_t size) const;
    const RegistryValue* ReadValue(const String& name) const;
    void WriteData(const String& name, uint32_t type, const String& data);

    HKEY FRootKey = HKEY_CURRENT_USER;
    bool FOpen = false;
    bool FReadOnly = false;
    KeyPath FPath;
};

// A registry key seen as an INI file: each section is a subkey of the key given, and every value
// is kept as a string (numbers in decimal, bools as "1" and "0").
class TRegIniFile : public TRegistry {
public:
    // fileName is the key, from the current user's root; it is opened, and created when missing.
    explicit TRegIniFile(const String& fileName);
    const String& FileName() const { return FFileName; }

    // A value of another type than a string is read as its text: an integer in decimal; a binary
    // value counts as missing.
    String ReadString(const String& section, const String& name, const String& defaultValue);
    void WriteString(const String& section, const String& name, const String& value);
    // Decimal, or hexadecimal after "0x" or "$"; any other text gives the default.
    int ReadInteger(const String& section, const String& name, int defaultValue);
    void WriteInteger(const String& section, const String& name, int value);
    bool ReadBool(const String& section, const String& name, bool defaultValue);
    void WriteBool(const String& section, const String& name, bool value);

    void ReadSection(const String& section, TStrings* strings);       // the value names
    void ReadSections(TStrings* strings);                             // the subkey names
    void ReadSectionValues(const String& section, TStrings* strings); // "name=value" lines
    void EraseSection(const String& section);
    void DeleteKey(const String& section, const String& name); // deletes the value

private:
    bool ReadText(const String& section, const String& name, String& text);

    String FFileName;
};

// The problem found when the store's file was last read ("" when none): the file could not be
// read or parsed. The message names the file and where the damaged file was kept; the user
// interface shows it.
String RegistryLoadProblem();

// Why a change could not reach the store's file now, naming the file: the file is read-only, its
// folder cannot be written to, or the store must not be written over (RegistryLoadProblem says
// why). "" when it could. The file is left as it is.
String RegistryWriteProblem();
// For a run whose settings cannot be saved: from now on each change of the store is kept in
// memory, raising nothing, and never reaches the file. A store read from another file is saved
// again as usual.
void KeepRegistryChangesInMemory();
