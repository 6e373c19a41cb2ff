#include "platform/DisplayText.h"

#include <QList>

#include <array>

namespace {

// Windows-1252 in 0x80-0x9F; the five codes it leaves out stand for themselves.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
bool ValidSecondByte(unsigned char lead, unsigned char second) {
    switch (lead) {
    case 0xE0:
        return second >= 0xA0 && second <= 0xBF;
    case 0xED:
        return second >= 0x80 && second <= 0x9F;
    case 0xF0:
        return second >= 0x90 && second <= 0xBF;
    case 0xF4:
        return second >= 0x80 && second <= 0x8F;
    default:
        return second >= 0x80 && second <= 0xBF;
    }
}

bool EncodeWindows1252(const QString& text, String& bytes) {
    bytes.clear();
    for (char32_t ch : text.toUcs4()) {
        char code;
        if (!CharToWindows1252(ch, code))
            return false;
        bytes += code;
    }
    return true;
}

} // namespace

char16_t Windows1252ToUnicode(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? Windows1252High[byte - 0x80] : char16_t(byte);
}

bool IsValidUtf8(const String& text) {
    size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        int length = Utf8SequenceLength(lead);
        if (length == 0 || i + length > text.size())
            return false;
        if (length > 1 && !ValidSecondByte(lead, static_cast<unsigned char>(text[i + 1])))
            return false;
        for (int k = 2; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

bool CharToWindows1252(char32_t ch, char& code) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        code = static_cast<char>(ch);
        return true;
    }
    for (size_t i = 0; i < Windows1252High.size(); ++i)
        if (Windows1252High[i] == ch) {
            code = static_cast<char>(0x80 + i);
            return true;
        }
    return false;
}

QString DisplayText(const String& text) {
    if (IsValidUtf8(text))
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QString shown;
    shown.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text)
        shown += QChar(Windows1252ToUnicode(static_cast<unsigned char>(c)));
    return shown;
}

String TextFromDisplay(const QString& shown, const String& previous) {
    if (DisplayText(previous) == shown)
        return previous;
    String bytes;
    if (!IsValidUtf8(previous) && EncodeWindows1252(shown, bytes))
        return bytes;
    QByteArray utf8 = shown.toUtf8();
    return String(utf8.constData(), static_cast<size_t>(utf8.size()));
}
