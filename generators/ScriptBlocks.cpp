#include "generators/ScriptBlocks.h"

namespace {

const char* const CRLF = "\r\n";

bool Holds(const String& text, const String& what) {
    return text.find(what) != String::npos;
}

} // namespace

void TPageText::InsertAt(size_t position, const String& piece, bool aheadOfCaret) {
    Text.insert(position, piece);
    const size_t caret = static_cast<size_t>(Caret);
    if (position < caret || (position == caret && aheadOfCaret))
        Caret += static_cast<int>(piece.size());
}

void TPageText::ReplaceAt(size_t position, size_t count, const String& piece) {
    Text.replace(position, count, piece);
    const size_t caret = static_cast<size_t>(Caret);
    if (caret >= position + count)
        Caret += static_cast<int>(piece.size()) - static_cast<int>(count);
    else if (caret > position)
        Caret = static_cast<int>(position);
}

const TScriptMarks DropLinksMarks{"**DropLinks Script**", "<!-- **End of DropLinks List** -->",
                                  "function go_DropList("};
const TScriptMarks TimeLimitedMarks{"<!-- **Time-Limited Image Script** -->",
                                    "<!-- **End of time-limited image script** -->",
                                    "function ntm("};

const String DamagedScriptMessage =
    "The marker comments of this script on the page are damaged or missing, so the script "
    "cannot be added to.\r\nRepair or remove the script's part by hand and try again. The page "
    "has not been changed.";

THeadState FindHeadPart(const String& text, const TScriptMarks& marks) {
    const size_t start = text.find(marks.Found);
    const size_t end = text.find(marks.End);
    if (start == String::npos && end == String::npos && !Holds(text, marks.Function))
        return THeadState::Absent;
    if (start != String::npos && end != String::npos && start < end)
        return THeadState::Present;
    return THeadState::Damaged;
}

int CountOccurrences(const String& text, const String& what) {
    int count = 0;
    for (size_t at = text.find(what); at != String::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

size_t FindHeadEnd(const String& text) {
    return UpperCase(text).find("</HEAD>");
}

String JoinLines(const std::vector<String>& lines) {
    String joined;
    for (const String& line : lines)
        joined += line + CRLF;
    return joined;
}

// ---- Drop-down link menu ----

String DropLinksHeadPart() {
    return JoinLines({"<!-- **DropLinks Script** -->",
                      "<SCRIPT LANGUAGE=\"Javascript\" TYPE=\"text/javascript\"><!--",
                      "function go_DropList(link, windowname){if(link == \"\")return;",
                      "var anewwin;if (windowname != \"\") anewwin = window.open(\"\",windowname);",
                      "else anewwin = this.window;anewwin.location = link;}", "//-->", "</SCRIPT>",
                      "<!-- **End of DropLinks List** -->"}) +
           CRLF;
}

namespace {

String WindowArgument(const TDropMenu& menu) {
    return menu.NewWindow ? menu.WindowName : String();
}

// A link whose address runs the menu's choice; the scheme makes the browser run it as script.
String ScriptLinkStart(const TDropMenu& menu) {
    const String list = "document." + menu.FormName + "." + menu.MenuName;
    return "&nbsp;&nbsp;<A HREF=\"javascript:b=" + list + ".selectedIndex;go_DropList(" + list +
           ".options[b].value,'" + WindowArgument(menu) + "')\">";
}

String ActivationLine(const TDropMenu& menu) {
    const String& m = menu.MenuName;
    switch (menu.Activation) {
    case daButton:
        return "<INPUT TYPE=\"Button\" VALUE=\"" + menu.ClickText + "\"" +
               " onClick=\"b=this.form." + m + ".selectedIndex;go_DropList(this.form." + m +
               ".options[b].value,'" + WindowArgument(menu) + "')\">";
    case daText:
        return ScriptLinkStart(menu) + menu.ClickText + "</A>" + CRLF;
    case daImage:
        return ScriptLinkStart(menu) + menu.ImageTag + "</A>" + CRLF;
    case daSelection:
        break;
    }
    return "";
}

} // namespace

std::vector<String> DropMenuLines(const TDropMenu& menu) {
    std::vector<String> lines{"<!-- **DropDown Menu Start** -->"};
    String opening = menu.Align == alignCenter  ? "<CENTER>"
                     : menu.Align == alignRight ? "<DIV ALIGN=RIGHT>"
                                                : "";
    if (menu.Border)
        opening += "<TABLE CELLSPACING=0 BORDER=" + menu.BorderSize + " BGCOLOR=" + menu.Colour +
                   "><TR><TD ALIGN=CENTER VALIGN=MIDDLE><BR>";
    if (!opening.empty())
        lines.push_back(opening);
    lines.push_back("<FORM NAME=\"" + menu.FormName + "\">");
    if (menu.Border)
        lines.push_back("&nbsp;&nbsp;&nbsp;&nbsp;");
    String select = "<SELECT NAME=\"" + menu.MenuName + "\"";
    if (menu.Activation == daSelection)
        select += " onChange=\"b=this.selectedIndex;go_DropList(this.options[b].value,'')\"";
    lines.push_back(select + ">");
    for (const auto& [text, url] : menu.Entries)
        lines.push_back("<OPTION Value=\"" + url + "\">" + text);
    lines.push_back(String("</SELECT>") + CRLF);
    lines.push_back(ActivationLine(menu));
    if (menu.Border)
        lines.push_back("&nbsp;&nbsp;&nbsp;&nbsp;");
    String closing = "</FORM>";
    if (menu.Border)
        closing += "</TD></TR></TABLE>";
    if (menu.Align == alignCenter)
        closing += "</CENTER>";
    else if (menu.Align == alignRight)
        closing += "</DIV>";
    lines.push_back(closing);
    lines.push_back("<!-- **DropDown Menu End** -->");
    return lines;
}

// ---- Time-limited image ----

String TimeLimitedHeadPart() {
    return String("<!-- **Time-Limited Image Script** -->\r\n<SCRIPT LANGUAGE= \"JavaScript\" "
                  "TYPE=\"text/javascript\"><!--\r\nfunction "
                  "ntm(Day,Month,Year,Period,Src,Width,Height,Alt,Text){var realYear = "
                  "Year;if (realYear < 50)realYear += 100;\r\nvar ADate = new Date(Year, "
                  "Month-1, Day);var newDate = new Date();var endtime = "
                  "Period*24*60*60*1000;\r\nif ((newDate.getTime()-ADate.getTime()) <=  "
                  "endtime){if (Src!=\"\")document.write(\"<IMG SRC='\"+Src+\"'") +
           " WIDTH=\"+Width+\"" + " HEIGHT=\"+Height+\"" +
           " ALT='\"+Alt+\"' BORDER=0 ALIGN=ABSMIDDLE>\");if (Text != "
           "'')document.write(Text);}}\r\n//-->\r\n</SCRIPT>\r\n<!-- **End of time-limited "
           "image script** -->\r\n";
}

String TimeLimitedBody(const TTimeLimitedCall& call) {
    return "<SCRIPT LANGUAGE= \"JavaScript\" TYPE=\"text/javascript\"><!--\r\nntm(" +
           IntToStr(call.Day) + "," + IntToStr(call.Month) + "," + IntToStr(call.Year) + "," +
           IntToStr(call.Period) + ",\"" + call.Src + "\"," + IntToStr(call.Width) + "," +
           IntToStr(call.Height) + ",\"" + call.Alt + "\",\"" + call.Text +
           "\");//--></SCRIPT>\r\n";
}

// ---- Last-modified date ----

String LastModifiedBlock(const String& textBefore) {
    return String("<!-- **Script - Date Last Modified** -->\r\n<SCRIPT LANGUAGE=\"JavaScript\" "
                  "TYPE=\"text/javascript\"><!--\r\n") +
           "var DayName = new Array(\"Sunday\",\"Monday\",\"Tuesday\",\"Wednesday\"," +
           "\"Thursday\",\"Friday\",\"Saturday\");" +
           "var MonthName = new Array(\"January\",\"February\",\"March\",\"April\"," +
           "\"May\",\"June\",\"July\",\"August\",\"September\",\"October\",\"November\","
           "\"December\");\r\n" +
           "var ModDate = new Date(document.lastModified);\r\n" + "document.write(\"" + textBefore +
           " \" + DayName[ModDate.getDay()] + \" \" + ModDate.getDate() + \" \" + "
           "MonthName[ModDate.getMonth()] + \", \" + (ModDate.getYear()+1900) + \".\");\r\n" +
           "//-->\r\n" + "</SCRIPT>\r\n<!-- **End of Date Modified Script** -->\r\n";
}

// ---- Mouse-over buttons ----

namespace {

const String MouseOverStart = "<!-- **MouseOver Button Script** -->";
const String MouseOverEnd = "<!-- **End of MouseOver Button Script** -->";
const String UpSectionEnd = " **End of Up buttons**";
const String DownSectionEnd = "//**End of Down buttons**";
const String OnSectionEnd = "//**End of On buttons**";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the script's parts lie in the page; every position is npos unless the script is whole:
// its two markers in order, and between them the three section ends in order, the up one
// written "//" + count + " **End of Up buttons**".
struct TScriptLayout {
    size_t CountStart = String::npos; // the count's first digit
    size_t CountEnd = 0;              // just past its last digit
    size_t Down = String::npos;
    size_t On = String::npos;
};

TScriptLayout LocateScript(const String& text) {
    TScriptLayout layout;
    const String upper = UpperCase(text);
    const size_t start = upper.find(UpperCase(MouseOverStart));
    const size_t end = upper.find(UpperCase(MouseOverEnd));
    if (start == String::npos || end == String::npos || end < start)
        return layout;
    const size_t up = text.find(UpSectionEnd, start);
    const size_t down = text.find(DownSectionEnd, start);
    const size_t on = text.find(OnSectionEnd, start);
    if (up == String::npos || down == String::npos || on == String::npos ||
        !(up < down && down < on && on < end))
        return layout;
    size_t digits = up;
    while (digits > start && IsDigit(text[digits - 1]))
        --digits;
    if (digits == up || digits < start + 2 || text.compare(digits - 2, 2, "//") != 0)
        return layout;
    layout.CountStart = digits;
    layout.CountEnd = up;
    layout.Down = down;
    layout.On = on;
    return layout;
}

String ImageLine(const String& name, const String& url, bool spaced) {
    return name + "=new Image();" + (spaced ? " " : "") + name + ".src=\"" + url + "\";";
}

} // namespace

bool HasMouseOverScript(const String& text) {
    const String upper = UpperCase(text);
    return Holds(upper, "**MOUSEOVER BUTTON SCRIPT**") || Holds(upper, UpperCase(MouseOverEnd)) ||
           Holds(text, UpSectionEnd);
}

bool MouseOverScriptIsWhole(const String& text) {
    return LocateScript(text).CountStart != String::npos;
}

String MouseOverScript(const TButtonImages& images) {
    return MouseOverStart + CRLF +
           "<SCRIPT LANGUAGE=\"JavaScript\" TYPE=\"text/javascript\"><!--\r\n" +
           "var Ver = navigator.appVersion;var OK = 1;if (Ver.indexOf(\"MSIE\") == -1){if "
           "(Ver.charAt(0) == \"2\")OK=0;}\r\n" +
           "if(OK==1){\r\n" + ImageLine("abut1up", images.Up, true) + CRLF +
           "//1 **End of Up buttons**\r\n\n" + ImageLine("abut1down", images.Down, true) + CRLF +
           DownSectionEnd + "\r\n\n" + ImageLine("abut1on", images.On, true) + "}\r\n" +
           OnSectionEnd + "\r\n\n" +
           "function butn_down(imgName,stick){if(OK==1){imgdown=eval(imgName + "
           "\"down.src\");document [imgName].src=imgdown;if "
           "(stick==1){imgUp=eval(imgName+\"up\");imgDown=eval(imgName+\"down\");imgOn=eval("
           "imgName+\"on\");imgUp.src=imgOn.src;imgDown.src=imgOn.src;}}}\r\n" +
           "function butn_up(imgName){if(OK==1){imgup=eval(imgName + \"up.src\");document "
           "[imgName].src=imgup;}}\r\n" +
           "// -->\r\n" + "</SCRIPT>\r\n" + MouseOverEnd;
}

// The later insertions go first, so that the earlier positions found stay right.
int ExtendMouseOverScript(TPageText& page, const TButtonImages& images) {
    const TScriptLayout layout = LocateScript(page.Text);
    if (layout.CountStart == String::npos)
        return 0;
    const int button =
        StrToIntDef(page.Text.substr(layout.CountStart, layout.CountEnd - layout.CountStart), 0) +
        1;
    const String b = IntToStr(button);
    page.InsertAt(layout.On, ImageLine("abut" + b + "on", images.On, true) + CRLF, false);
    page.InsertAt(layout.Down, ImageLine("abut" + b + "down", images.Down, true) + CRLF, false);
    page.ReplaceAt(layout.CountStart, layout.CountEnd - layout.CountStart, b);
    page.InsertAt(layout.CountStart - 2, ImageLine("abut" + b + "up", images.Up, false) + CRLF,
                  false);
    return button;
}

void InsertMouseOverScript(TPageText& page, const TButtonImages& images) {
    const size_t headEnd = FindHeadEnd(page.Text);
    if (headEnd == String::npos)
        page.InsertAt(0, MouseOverScript(images), true);
    else
        page.InsertAt(headEnd, MouseOverScript(images), false);
}

String MouseOverBody(const TMouseOverLink& link) {
    const String b = IntToStr(link.Button);
    String start = "<A HREF=\"" + (link.URL.empty() ? "#abut" + b : link.URL) + "\"";
    if (link.ChangeOn != changeOnClick)
        start += " onMouseover = \"butn_down('abut" + b + "',0)\" onMouseout = \"butn_up('abut" +
                 b + "')\"";
    if (link.ChangeOn != changeOnMouseOver)
        start += " onClick = \"butn_down('abut" + b + "',1)\"";
    start += ">";
    String body = start + link.ImageTag + " NAME=\"abut" + b + "\" ALIGN=MIDDLE>";
    const bool textIsLink = link.TextIsLink && !link.LinkText.empty();
    if (!textIsLink)
        body += "</A>";
    if (!link.LinkText.empty())
        body += "&nbsp;" + (textIsLink ? start : String()) + link.LinkText +
                (textIsLink ? "</A>" : "") + CRLF;
    return body;
}
