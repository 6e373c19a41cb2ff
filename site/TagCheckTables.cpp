#include "site/TagCheckTables.h"

String LoadResourceText(int number) {
    switch (number) {
    case ContainerTagsResource:
        return "A ACRONYM ADDRESS APPLET B BDO BIG BLOCKQUOTE BODY BUTTON CAPTION CENTER CITE CODE "
               "DEL DFN DIR DIV DL EM FONT FORM FRAMESET H1 H2 H3 H4 H5 H6 HEAD HTML I IFRAME INS "
               "KBD LABEL LEGEND MAP MENU NOBR NOFRAMES NOSCRIPT OBJECT OL PRE Q S SAMP SCRIPT "
               "SELECT SMALL SPAN STRIKE STRONG STYLE SUB SUP TABLE TBODY TD TEXTAREA TFOOT TH "
               "THEAD TITLE TR TT U UL VAR P";
    case EmptyTagsResource:
        return "!DOCTYPE P BR BASEFONT BASE BGSOUND COL COLGROUP DD DT FIELDSET META EMBED FRAME "
               "HR IMG INPUT ISINDEX LI LINK NEXTID OPTION PARAM AREA SOUND TAB";
    case HeadTagsResource:
        return "&!--&STYLE&BASE&TITLE&META&SCRIPT&LINK&!DOCTYPE&HEAD&HTML&";
    case HeadOnlyTagsResource:
        return "&!DOCTYPE&STYLE&BASE&TITLE&META&LINK&HEAD&HTML&";
    default:
        return "";
    }
}
