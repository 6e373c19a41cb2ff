// The image size readers over any file: each reader is given the bytes as a file of its own
// kind, and both sizes are asked for.

#include "FuzzSupport.h"

#include "tags/HTMLGlobal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::StartWindowSystem();
    FuzzSupport::NextInput();
    static TGlobalForm* global = new TGlobalForm(nullptr);
    const String bytes = FuzzSupport::Bytes(data, size);
    const std::pair<const char*, String (TGlobalForm::*)(const String&, char)> readers[] = {
        {"image.gif", &TGlobalForm::GetGifSize},
        {"image.jpg", &TGlobalForm::GetJpegSize},
        {"image.png", &TGlobalForm::GetPngSize},
        {"image.bmp", &TGlobalForm::GetBmpSize},
    };
    for (const auto& [name, reader] : readers) {
        const String path = FuzzSupport::SandboxFile(name, bytes);
        for (char selector : {'W', 'H'}) {
            const String answer = (global->*reader)(path, selector);
            FuzzSupport::Expect(!answer.empty() && answer[0] != '-', "a size is a whole number");
        }
    }
    return 0;
}
