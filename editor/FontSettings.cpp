#include "editor/FontSettings.h"

#include "services/ProgramSettings.h"

#include <utility>

void ReadFontSettings(const TRegistry& reg, TFont& font) {
    String name = font.Name();
    int size = font.Size();
    TColor colour = font.Color();
    ReadSetting(reg, "FontName", name);
    ReadSetting(reg, "FontSize", size);
    ReadSetting(reg, "FontColour", colour);
    TFontStyles style;
    for (auto [valueName, flag] :
         {std::pair{"FontStyleBold", fsBold}, std::pair{"FontStyleItalic", fsItalic},
          std::pair{"FontStyleUnderline", fsUnderline}}) {
        bool on = false;
        if (ReadSetting(reg, valueName, on) && on)
            style << flag;
    }
    font.SetName(name);
    font.SetSize(size);
    font.SetColor(colour);
    font.SetStyle(style);
}

void WriteFontSettings(TRegistry& reg, const TFont& font) {
    reg.WriteString("FontName", font.Name());
    reg.WriteInteger("FontSize", font.Size());
    reg.WriteInteger("FontColour", static_cast<int>(font.Color()));
    reg.WriteBool("FontStyleBold", font.Style().Contains(fsBold));
    reg.WriteBool("FontStyleItalic", font.Style().Contains(fsItalic));
    reg.WriteBool("FontStyleUnderline", font.Style().Contains(fsUnderline));
}

TFont DefaultEditorFont() {
    TFont font;
    font.SetName(DefaultFontName);
    font.SetSize(10);
    font.SetStyle({});
    font.SetColor(clBlack);
    return font;
}

void GiveDefaultPlainFont(TFont& font) {
    TFont plain = DefaultEditorFont();
    font.SetName(plain.Name());
    font.SetSize(plain.Size());
    font.SetStyle({});
}

TFontStyles TagStyleBits(TFontStyles style) {
    return style & TFontStyles{fsBold, fsItalic, fsUnderline};
}
