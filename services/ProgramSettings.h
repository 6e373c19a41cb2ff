#pragma once
// Where the program keeps its settings in the registry, and the one way a setting is read.

#include "platform/Registry.h"

#include <type_traits>

inline const String ProductKey = "\\Software\\Olvane\\Quiltmarker";
// The browser's settings that the program overrides while it runs and puts back on closing.
inline const String BrowserMainKey = "\\Software\\Microsoft\\Internet Explorer\\Main";

// A subkey of the product key, such as "Font" or "LatestFiles".
inline String ProductSubKey(const String& name) {
    return ProductKey + "\\" + name;
}

// A value that exists with the setting's type replaces value and gives true; a missing value, one
// of another type or one that cannot be read leaves the default in place and gives false.
template <typename T> bool ReadSetting(const TRegistry& reg, const String& name, T& value) {
    TRegDataType type = reg.GetDataType(name);
    try {
        if constexpr (std::is_same_v<T, String>) {
            if (type != rdString && type != rdExpandString)
                return false;
            value = reg.ReadString(name);
        } else if constexpr (std::is_same_v<T, bool>) {
            if (type != rdInteger)
                return false;
            value = reg.ReadBool(name);
        } else {
            if (type != rdInteger)
                return false;
            value = static_cast<T>(reg.ReadInteger(name));
        }
    } catch (const ERegistryException&) {
        return false;
    }
    return true;
}
