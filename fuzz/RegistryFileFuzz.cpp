// The settings file reader over any bytes. Whatever it read must be written so that it reads
// back whole and the same: the store writes its file from what it read.

#include "FuzzSupport.h"

#include "platform/RegistryStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::NextInput();
    RegistryKey currentUser;
    RegistryKey localMachine;
    ReadRegistryText(FuzzSupport::Bytes(data, size), currentUser, localMachine);
    const String written = RegistryText(currentUser, localMachine);
    RegistryKey currentUserAgain;
    RegistryKey localMachineAgain;
    const String problem = ReadRegistryText(written, currentUserAgain, localMachineAgain);
    FuzzSupport::Expect(problem.empty(), "the written file reads without a problem");
    FuzzSupport::Expect(RegistryText(currentUserAgain, localMachineAgain) == written,
                        "the written file reads back the same");
    return 0;
}
