// Feeds arbitrary bytes to the readers of animated cursors, icons and icon lists: each must
// either read them or refuse them with its error, never read outside them or crash.

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "services/AniFile.h"
#include "services/IcoList.h"

#include <cstddef>
#include <cstdint>

namespace {

template <typename Reader> void Try(const uint8_t* data, size_t size, Reader read) {
    TMemoryStream stream;
    if (size > 0)
        stream.WriteBuffer(data, static_cast<int>(size));
    stream.SetPosition(0);
    try {
        read(stream);
    } catch (const Exception&) {
        // A refusal is the expected answer to most inputs.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Try(data, size, [](TStream& stream) {
        TAnimatedCursorImage cursor;
        cursor.LoadFromStream(stream);
    });
    Try(data, size, [](TStream& stream) {
        TIcon icon;
        icon.LoadFromStream(stream);
    });
    Try(data, size, [](TStream& stream) {
        TIconList list;
        list.ReadIcons(stream);
    });
    return 0;
}
