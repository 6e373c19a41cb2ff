#include "publish/CodeExpansion.h"

#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/Registry.h"
#include "platform/TimeZone.h"
#include "services/ProgramSettings.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>

namespace {

const char* const BrowserSectionEnd = "{{#Browser}}";
const char* const BrowserVariant = "[[Browser]]";

// Codes that keep producing codes would otherwise be expanded for ever.
constexpr int MaxPasses = 64;

[[noreturn]] void ReportUnclosedCode() {
    Application->MessageBox("Syntax error: Unclosed {{", "Ferrydock 95", MB_OK | MB_ICONERROR);
    throw EAbort("Unclosed {{");
}

bool Contains(const String& text, const char* part) {
    return text.find(part) != String::npos;
}

// The line ends the author left after a variant's value are not part of it; a lone line end is.
String TrimVariantEnd(String value) {
    while (!value.empty()) {
        const char last = value.back();
        if (last == ' ' || ((last == '\r' || last == '\n') && value.size() > 1))
            value.pop_back();
        else
            break;
    }
    return value;
}

String BrowserVariantText(const String& text, size_t marker) {
    const String part = text.substr(marker + std::char_traits<char>::length(BrowserVariant));
    if (part.empty())
        return "";
    if (part[0] == '{') {
        const size_t close = part.find("}}");
        return close == String::npos ? "" : TrimVariantEnd(part.substr(0, close + 2));
    }
    return TrimVariantEnd(part.substr(0, part.find('[')));
}

String DestinationVariantText(const String& text, const String& destinationKey) {
    const String destination = LowerCase(destinationKey);
    String rest = text;
    for (;;) {
        const size_t open = rest.find("[[");
        if (open == String::npos)
            return "";
        const size_t close = rest.find("]]", open + 2);
        if (close == String::npos) {
            Application->MessageBox("Syntax error: Unclosed \"[[\"", "Publish Document",
                                    MB_OK | MB_ICONERROR);
            return "";
        }
        const String key = LowerCase(rest.substr(open + 2, close - open - 2));
        rest.erase(0, close + 2);
        if (Pos(key, destination) > 0 || Pos("default", key) > 0) {
            String value = TrimVariantEnd(rest.substr(0, rest.find('[')));
            while (value.size() >= 2 && value.compare(value.size() - 2, 2, "\\n") == 0)
                value.resize(value.size() - 2);
            return value;
        }
    }
}

// The number between a stamp's opening and closing text, or nothing when the page has no such
// stamp. Pages stamped under another locale carry the other decimal separator.
std::optional<TDateTime> StampDate(const String& lowerPage, const String& open,
                                   const String& close) {
    const size_t start = lowerPage.find(open);
    const size_t end = lowerPage.find(close);
    if (start == String::npos || end == String::npos)
        return std::nullopt;
    const size_t from = start + open.size();
    String number = end > from ? lowerPage.substr(from, end - from) : String();
    std::replace(number.begin(), number.end(), ',', '.');
    return StrToFloat(number, '.');
}

String RevisionLine(const String& lead, TDateTime date) {
    return lead + FormatDateTime("d mmmm yyyy", date) + " at " + FormatDateTime("hh:nn", date) +
           " {{GMT}}";
}

// One pass over the text: every code in it expanded once.
class TExpansionPass {
public:
    // The expanded text may hold at most `limit` characters.
    TExpansionPass(const String& text, const TExpansionContext& context, size_t limit,
                   bool& convertToGmt)
        : FText(text), FContext(context), FLimit(limit), FConvertToGmt(convertToGmt) {}

    // The expanded text; codeInserted tells whether an inserted text holds codes of its own.
    String Run(bool& codeInserted) {
        // Codes usually grow the page a little; one allocation then serves the whole pass.
        FOut.reserve(std::min(FLimit, FText.size() + FText.size() / 16));
        size_t pos = 0;
        for (;;) {
            const size_t open = FText.find("{{", pos);
            if (open == String::npos)
                break;
            Append(std::string_view(FText).substr(pos, open - pos));
            const size_t close = FText.find('}', open + 2);
            if (close == String::npos)
                ReportUnclosedCode();
            pos = std::min(close + 2, FText.size());
            ExpandCode(FText.substr(open + 2, close - open - 2), pos);
        }
        Append(std::string_view(FText).substr(pos));
        codeInserted = FCodeInserted;
        return std::move(FOut);
    }

private:
    // A code that names itself many times multiplies the page within one pass: the bound is
    // checked before anything is added, and the buffer never grows past it.
    void Append(std::string_view part) {
        if (part.size() > FLimit - FOut.size())
            ReportUnclosedCode();
        const size_t needed = FOut.size() + part.size();
        if (needed > FOut.capacity())
            Grow(std::min(FLimit, std::max(needed, 2 * FOut.capacity())));
        FOut.append(part);
    }

    // A string that grows doubles its buffer whatever it was asked for; a new one gets just the
    // capacity asked.
    void Grow(size_t capacity) {
        String grown;
        grown.reserve(capacity);
        grown.append(FOut);
        FOut.swap(grown);
    }

    void ExpandCode(const String& name, size_t& pos) {
        const String lowerName = LowerCase(name);
        if (lowerName == "#browser")
            return;
        if (lowerName == "browser#") {
            if (FContext.BrowserPreview)
                pos = SkipBrowserSection(pos);
            return;
        }
        const int code = FContext.ReplaceCodes.IndexOf(name);
        if (code >= 0)
            InsertReplaceCode(FContext.ReplaceCodes.Texts[code]);
        else if (lowerName == "filename")
            Append(ExtractFileName(FContext.SourcePath));
        else if (lowerName == "fullpath")
            Append(FContext.SourcePath);
        else if (lowerName == "convgmt")
            FConvertToGmt = true;
        else if (lowerName == "gmt")
            Append(DaylightInForce() ? "BST" : "GMT");
        else if (lowerName == "gmtadjust")
            FOneHour = FOneHour || DaylightInForce();
        else if (lowerName == "last major revision")
            InsertRevision(FMajorRevision, "major");
        else if (lowerName == "last minor revision")
            InsertRevision(FMinorRevision, "minor");
        else
            InsertDateTime(name);
    }

    // In a preview the section up to its end marker is left out, the marker with it.
    size_t SkipBrowserSection(size_t pos) const {
        const size_t end = FText.find(BrowserSectionEnd, pos);
        return end == String::npos ? FText.size()
                                   : end + std::char_traits<char>::length(BrowserSectionEnd);
    }

    void InsertReplaceCode(const String& codeText) {
        const String text =
            Contains(codeText, "[[") ? SelectDestinationText(codeText, FContext) : codeText;
        FCodeInserted = FCodeInserted || Contains(text, "{{");
        Append(StringReplace(text, "\\n", "\r\n", rfReplaceAll));
    }

    // The stamps are read from the text this pass works on, so once per pass is enough.
    void InsertRevision(std::optional<String>& revision, const char* kind) {
        if (!revision)
            revision = RevisionStampText(FText, kind);
        FCodeInserted = FCodeInserted || Contains(*revision, "{{");
        Append(*revision);
    }

    void InsertDateTime(const String& format) {
        TDateTime now = FContext.Clock ? FContext.Clock() : Now();
        if (FConvertToGmt) {
            TIME_ZONE_INFORMATION zone;
            const bool daylight = GetTimeZoneInformation(zone) == TIME_ZONE_ID_DAYLIGHT;
            now += (zone.Bias + zone.StandardBias + (daylight ? zone.DaylightBias : 0)) / 1440.0;
        }
        if (FOneHour)
            now -= 1.0 / 24;
        Append(FormatDateTime(format, now));
        FOneHour = false;
        FConvertToGmt = false;
    }

    static bool DaylightInForce() {
        TIME_ZONE_INFORMATION zone;
        return GetTimeZoneInformation(zone) == TIME_ZONE_ID_DAYLIGHT;
    }

    const String& FText;
    const TExpansionContext& FContext;
    const size_t FLimit;
    bool& FConvertToGmt;
    bool FOneHour = false;
    bool FCodeInserted = false;
    std::optional<String> FMajorRevision;
    std::optional<String> FMinorRevision;
    String FOut;
};

} // namespace

int TReplaceCodes::IndexOf(const String& name) const {
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], name))
            return static_cast<int>(i);
    return -1;
}

String ReplaceCodesKey() {
    return ProductSubKey("Replace Codes");
}

TReplaceCodes ReadReplaceCodes() {
    TReplaceCodes codes;
    TRegistry registry;
    if (!registry.OpenKey(ReplaceCodesKey(), true))
        return codes;
    TStringList names;
    registry.GetValueNames(&names);
    for (int i = 0; i < names.Count(); ++i) {
        const TRegDataType type = registry.GetDataType(names[i]);
        if (type != rdString && type != rdExpandString)
            continue;
        codes.Names.push_back(names[i]);
        codes.Texts.push_back(registry.ReadString(names[i]));
    }
    return codes;
}

String ExpandCodes(String text, const TExpansionContext& context) {
    if (text.find("{{") == String::npos)
        return text;
    const size_t limit = text.size() + MaxCodeGrowth;
    bool convertToGmt = false;
    bool codeInserted = false;
    String expanded = TExpansionPass(text, context, limit, convertToGmt).Run(codeInserted);
    for (int pass = 1; codeInserted; ++pass) {
        if (pass == MaxPasses)
            ReportUnclosedCode();
        expanded = TExpansionPass(expanded, context, limit, convertToGmt).Run(codeInserted);
    }
    return expanded;
}

String SelectDestinationText(const String& text, const TExpansionContext& context) {
    const size_t browser = context.BrowserPreview ? text.find(BrowserVariant) : String::npos;
    if (browser != String::npos)
        return BrowserVariantText(text, browser);
    return DestinationVariantText(text, context.DestinationKey);
}

String RevisionStampText(const String& pageText, const String& kind) {
    const String page = LowerCase(pageText);
    const std::optional<TDateTime> major = StampDate(page, "<!-- lmr", "lmr -->");
    if (kind == "major" && !major) {
        if (Contains(page, "{{last minor revision}}") && Contains(page, "<!-- lr"))
            return "";
        return "Last revision: {{d mmmm yyyy}} at {{hh:nn}} {{GMT}}";
    }
    const std::optional<TDateTime> minor = StampDate(page, "<!-- lr", "lr -->");
    if (kind == "major")
        return RevisionLine("Last major revision: ", *major);
    if (kind != "minor" || !minor || *minor == major.value_or(0.0))
        return "";
    return RevisionLine("Minor revisions: ", *minor);
}
