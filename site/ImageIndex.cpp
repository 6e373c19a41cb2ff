#include "site/ImageIndex.h"

#include "tags/DialogAttributes.h"

namespace {

const int DefaultSizeLimit = 64000;
// The room a row needs below the limit.
const int RowRoom = 1000;

// The name as the script's quoted argument: a backslash or an apostrophe would end it early.
String ScriptArgument(const String& name) {
    String argument;
    for (char c : name) {
        if (c == '\\' || c == '\'')
            argument += '\\';
        argument += c;
    }
    return argument;
}

String ThumbnailLine(const TIndexImage& image) {
    const String name = QuotedValue(image.Name);
    String line = "<TD><IMG SRC=\"" + name + "\" ALT=\"" + name + "\"";
    if (image.Width > 0)
        line += " WIDTH=" + IntToStr(image.Width);
    if (image.Height > 0)
        line += " HEIGHT=" + IntToStr(image.Height);
    line += " onClick=\"clickhdlr('" + QuotedValue(ScriptArgument(image.Name)) + "')\">";
    return line + "<BR><FONT SIZE=1>W: " + IntToStr(image.Width) + " H: " + IntToStr(image.Height) +
           "</FONT>";
}

} // namespace

std::vector<String> ImageIndexHead(const String& folder, int pageNumber) {
    return {
        "<HTML>",
        "<HEAD>",
        "<TITLE>",
        "Image Index",
        "</TITLE>",
        "<script language=\"JavaScript\" TYPE=\"text/javascript\"><!--",
        "function clickhdlr(img)",
        "{",
        "document.writeln(\"<HTML><HEAD><TITLE>\"+img+\"</TITLE>\")",
        "document.writeln(\"</HEAD><BODY BACKGROUND='\")",
        "document.writeln(img)",
        "document.writeln(\"'><CENTER><H2>\")",
        "document.writeln(img)",
        "document.writeln(\"<font color=white>&nbsp;&nbsp;\")",
        "document.writeln(img)",
        "document.writeln(\"</font>\")",
        "document.writeln(\"<FORM><INPUT TYPE='button' NAME='button1' VALUE='Click to return to "
        "main document' onclick='history.back()'><BR></FORM></CENTER>\")",
        "document.writeln(\"</BODY><\"+\"/HTML>\")",
        "document.close()",
        "}",
        "//-->",
        "</script></HEAD>",
        "",
        "<BODY BGCOLOR=\"#C0C0C0\">",
        "<CENTER><H2>IMAGE INDEX for<BR>" + folder + "<BR>(Page " + IntToStr(pageNumber) + ")" +
            "</H2>",
        "<H3>Click an image to view it as a background</H3>",
        "</CENTER>",
        "<P>",
    };
}

std::vector<String> ImageIndexRow(const std::vector<TIndexImage>& row) {
    std::vector<String> lines = {"<TABLE cellpadding=4>", "<TR ALIGN=CENTER VALIGN=BOTTOM>"};
    for (const TIndexImage& image : row) {
        lines.push_back(ThumbnailLine(image));
        lines.push_back("</TD>");
    }
    lines.insert(lines.end(), {"</TR>", "", "<TR ALIGN=CENTER>"});
    for (const TIndexImage& image : row)
        lines.push_back("<TD><B>" + QuotedValue(image.Name) + "</B></TD>");
    lines.insert(lines.end(), {"</TR></TABLE>", ""});
    return lines;
}

std::vector<String> ImageIndexFoot(TDateTime created) {
    return {"",
            "<BR><BR><HR><BR>",
            "<CENTER><FONT SIZE=1>",
            "Image index made by Quiltmarker<BR>",
            "Created: " + FormatDateTime("d mmmm yyyy - hh:nn", created),
            "</FONT></CENTER>",
            "</BODY>",
            "</HTML>"};
}

int ImageIndexSizeLimit(const String& stored) {
    const int limit = StrToIntDef(Trim(stored), 0);
    return limit > RowRoom ? limit : DefaultSizeLimit;
}
