// The profile file reader over any bytes: every section and value read, then a value written
// into the file and read back.

#include "FuzzSupport.h"

#include "platform/IniFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::NextInput();
    const String path = FuzzSupport::SandboxFile("fuzz.ini", FuzzSupport::Bytes(data, size));
    TIniFile ini(path);
    TStringList sections;
    ini.ReadSections(&sections);
    for (int i = 0; i < sections.Count(); ++i) {
        TStringList names;
        ini.ReadSection(sections[i], &names);
        for (int n = 0; n < names.Count(); ++n) {
            ini.ReadString(sections[i], names[n], "");
            ini.ReadInteger(sections[i], names[n], 0);
            ini.ReadFloat(sections[i], names[n], 0);
            ini.ReadBool(sections[i], names[n], false);
        }
        TStringList values;
        ini.ReadSectionValues(sections[i], &values);
    }
    try {
        ini.WriteString("Fuzz", "Name", "value");
    } catch (const Exception&) {
        return 0; // a file that cannot be written is reported by the writer's own exception
    }
    FuzzSupport::Expect(TIniFile(path).ReadString("Fuzz", "Name", "") == "value",
                        "a written value reads back");
    return 0;
}
