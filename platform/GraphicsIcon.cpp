#include "platform/FileUtils.h"
#include "platform/Graphics.h"
#include "platform/IconFile.h"
#include "platform/Peer.h"

#include <QImage>

#include <cstring>

TIcon::TIcon() = default;

TIcon::~TIcon() = default;

int TIcon::Width() const {
    return FPicture.Width();
}

int TIcon::Height() const {
    return FPicture.Height();
}

bool TIcon::Empty() const {
    return FData.empty();
}

void TIcon::LoadFromFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    try {
        LoadFromStream(stream);
    } catch (const EStreamError& error) {
        throw EInvalidGraphic(fileName + ": " + error.Message());
    } catch (const EInvalidGraphic& error) {
        throw EInvalidGraphic(fileName + ": " + error.Message());
    }
}

void TIcon::SaveToFile(const String& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

// Nothing is allocated for more bytes than the stream still holds.
void TIcon::LoadFromStream(TStream& stream, int64_t size) {
    const int64_t left = stream.Size() - stream.Position();
    if (size < 0)
        size = left;
    if (size > left || size > INT32_MAX)
        throw EReadError("Stream read error");
    String data(static_cast<size_t>(size), '\0');
    stream.ReadBuffer(data.data(), static_cast<int>(size));
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
    TIconPixels pixels = DecodeIconFile(bytes, data.size());
    QImage image(pixels.Width, pixels.Height, QImage::Format_ARGB32);
    for (int y = 0; y < pixels.Height; ++y)
        std::memcpy(image.scanLine(y), &pixels.Pixels[static_cast<size_t>(y) * pixels.Width],
                    static_cast<size_t>(pixels.Width) * 4);
    FData = std::move(data);
    BitmapImage(FPicture) = image;
    Changed();
}

void TIcon::LoadFromResourceName(HINSTANCE /*instance*/, const String& name) {
    const String fileName = ProgramFolder() + "icons" + PathDelim + name + ".ico";
    if (FileExists(fileName)) {
        LoadFromFile(fileName);
        return;
    }
    FData.clear();
    BitmapImage(FPicture) = QImage();
    Changed();
}

void TIcon::SaveToStream(TStream& stream) const {
    if (!FData.empty())
        stream.WriteBuffer(FData.data(), static_cast<int>(FData.size()));
}

void TIcon::Assign(const TIcon& source) {
    FData = source.FData;
    FPicture.Assign(source.FPicture);
    Changed();
}
