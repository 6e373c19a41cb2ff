// Feeds arbitrary bytes to the GIF reader, with and without the switch that lets damaged data
// load, and decodes every frame it keeps: nothing may read or write outside its buffers, and
// every refusal must be one of the reader's own errors.

#include "platform/Graphics.h"
#include "services/QmGIF.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    GifLoadDamagedData = (data[0] & 1) != 0;
    TMemoryStream stream;
    stream.WriteBuffer(data + 1, static_cast<int>(size - 1));
    stream.SetPosition(0);
    TGIFImage image;
    try {
        image.LoadFromStream(stream);
        for (int i = 0; i < image.FrameCount(); ++i)
            image.FrameAt(i).DecodedBitmap();
        if (image.FrameCount() > 0) {
            TMemoryStream out;
            image.SaveToStream(out);
        }
    } catch (const Exception&) {
        // A refusal with a message is the expected end of a damaged file.
    }
    return 0;
}
