#include "tags/DialogAttributes.h"

#include "editor/CorvaletForm.h"
#include "platform/ComCtrls.h"
#include "platform/FileUtils.h"
#include "platform/StdCtrls.h"
#include "site/FilePane.h"
#include "tags/HTMLGlobal.h"
#include "widgets/QmFilSys.h"

#include <cctype>

namespace {

bool IsLetterOrDigit(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// "&name;" or "&#123;" or "&#x1F;" starting at position at.
bool StartsReference(const String& text, size_t at) {
    size_t i = at + 1;
    if (i < text.size() && text[i] == '#') {
        ++i;
        if (i < text.size() && (text[i] == 'x' || text[i] == 'X'))
            ++i;
    }
    const size_t first = i;
    while (i < text.size() && IsLetterOrDigit(text[i]))
        ++i;
    return i > first && i < text.size() && text[i] == ';';
}

bool IsPlainToken(const String& value) {
    for (char c : value)
        if (!IsLetterOrDigit(c) && c != '%' && c != '-' && c != '.' && c != '#' && c != '_')
            return false;
    return true;
}

} // namespace

String QuotedValue(const String& value) {
    String quoted;
    quoted.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '"')
            quoted += "&quot;";
        else if (value[i] == '&' && !StartsReference(value, i))
            quoted += "&amp;";
        else
            quoted += value[i];
    }
    return quoted;
}

String QuotedAttribute(const String& name, const String& value) {
    return value.empty() ? String() : " " + name + "=\"" + QuotedValue(value) + "\"";
}

String PlainAttribute(const String& name, const String& value) {
    if (value.empty())
        return "";
    return IsPlainToken(value) ? " " + name + "=" + value : QuotedAttribute(name, value);
}

String CheckedOption(const TCheckBox* box, const String& name) {
    return box->Checked() ? " " + name : String();
}

String OnOffAttribute(const String& name, const TCheckBox* box) {
    return " " + name + (box->Checked() ? "=1" : "=0");
}

String PositionAttribute(const String& name, const TEdit* box, const TUpDown* upDown) {
    return box->Text().empty() ? String() : " " + name + "=" + IntToStr(upDown->Position());
}

String DialogPageFolder(const THTMLEMainForm& main) {
    const String file = main.ActiveFileName();
    if (!file.empty())
        return ExtractFilePath(file);
    return IncludeTrailingPathDelimiter(main.FilePane->DirectoryListBox1->Directory());
}

String URLFromPage(const String& filePath, const String& pageFolder) {
    return GlobalForm->RelativeURL(filePath, pageFolder);
}

String ImageSizeOf(const String& path, char selector) {
    using TReader = String (TGlobalForm::*)(const String&, char);
    struct TKind {
        const char* Lower;
        const char* Upper;
        TReader Reader;
    };
    static const TKind kinds[] = {
        {".gif", ".GIF", &TGlobalForm::GetGifSize},
        {".jpg", ".JPG", &TGlobalForm::GetJpegSize},
        {".bmp", ".BMP", &TGlobalForm::GetBmpSize},
        {".png", ".PNG", &TGlobalForm::GetPngSize},
    };
    String size;
    for (const TKind& kind : kinds)
        if (path.find(kind.Lower) != String::npos || path.find(kind.Upper) != String::npos)
            size = (GlobalForm->*kind.Reader)(path, selector);
    return size;
}
