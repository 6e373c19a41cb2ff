#pragma once
// Help-pointer mode and the help-context numbers of the main window's commands. A command's
// handler first asks HandleHelpPointer with its number: in help-pointer mode the command shows
// its help topic instead of running.
//
// Every number below needs a topic in the shipped help index (data/help/Quiltmarker.hlp). A test
// reads this header to check that, so each number stays declared on a line of its own as
// "constexpr THelpContext Name = number;".

using THelpContext = unsigned;

namespace HelpContexts {

// Numbers from here up are shown as pop-up topics.
constexpr THelpContext FirstPopup = 30000;

// File menu.
constexpr THelpContext FileNewButtonClick = 110;
constexpr THelpContext Template1Click = 110;
constexpr THelpContext BasicButtonClick = 114;
constexpr THelpContext FileOpenClick = 120;
constexpr THelpContext OpenTemplateClick = 124;
constexpr THelpContext Save1Click = 140;
constexpr THelpContext FileSaveButtonClick = 140;
constexpr THelpContext SaveAs1Click = 160;
constexpr THelpContext SaveAsTemplateClick = 170;
constexpr THelpContext SaveAsFrameworkDocument1Click = 172;
constexpr THelpContext Print1Click = 180;
constexpr THelpContext Asformatted1Click = 180;
constexpr THelpContext PrintSetup1Click = 185;
constexpr THelpContext Close1Click = 200;
constexpr THelpContext CloseAll1Click = 210;
constexpr THelpContext Exit1Click = 230;

// File pane and site commands.
constexpr THelpContext Analyse1Click = 240;
constexpr THelpContext Validate1Click = 242;
constexpr THelpContext Details1Click = 250;
constexpr THelpContext CreateImageIndex1Click = 260;
constexpr THelpContext ViewasBackground2Click = 265;
constexpr THelpContext Copy2Click = 271;
constexpr THelpContext MakeSecondCopy1Click = 272;
constexpr THelpContext Move2Click = 273;
constexpr THelpContext Rename1Click = 274;
constexpr THelpContext Delete1Click = 275;
constexpr THelpContext ChangeFilenameCase1Click = 276;
constexpr THelpContext NewFolder1Click = 277;
constexpr THelpContext DeleteFolder1Click = 278;
constexpr THelpContext MultiCopy1Click = 280;
constexpr THelpContext MultiPublish1Click = 281;

// Edit menu.
constexpr THelpContext Undo1Click = 310;
constexpr THelpContext Cut1Click = 320;
constexpr THelpContext Copy1Click = 330;
constexpr THelpContext Paste1Click = 340;
constexpr THelpContext Find1Click = 350;
constexpr THelpContext Replace1Click = 360;
constexpr THelpContext ChangeCase1Click = 362;
constexpr THelpContext GoTo1Click = 364;
constexpr THelpContext GlobalReplaceClick = 370;
constexpr THelpContext SelectAll1Click = 380;
constexpr THelpContext ExtendButtonClick = 390;
constexpr THelpContext BookmarkButtonClick = 400;
constexpr THelpContext GotoButtonClick = 410;
constexpr THelpContext RemoveTextFormatting1Click = 420;
constexpr THelpContext Uppercase1Click = 422;
constexpr THelpContext Lowercase1Click = 422;
constexpr THelpContext RemoveComments1Click = 423;
constexpr THelpContext SelectTag1Click = 424;
constexpr THelpContext IndentButtonClick = 430;
constexpr THelpContext Attributes1Click = 432;
constexpr THelpContext ColourTags1Click = 434;
constexpr THelpContext RemoveLinespaces1Click = 436;
constexpr THelpContext UnindentButtonClick = 440;
constexpr THelpContext RemoveIndents1Click = 442;
constexpr THelpContext RepeatLastTag1Click = 450;

// View menu.
constexpr THelpContext HideFileList1Click = 510;
constexpr THelpContext FullScreen1Click = 520;
constexpr THelpContext ShowHTMLonly1Click = 530;
constexpr THelpContext ShowImages1Click = 540;
constexpr THelpContext ShowMultimedia1Click = 550;
constexpr THelpContext ShowAllFiles1Click = 560;
constexpr THelpContext UpdateListingClick = 570;
constexpr THelpContext Enlarge1Click = 580;
constexpr THelpContext SplitIt1DblClick = 590;
constexpr THelpContext Toolbars1Click = 595;
constexpr THelpContext TextOnly1Click = 597;

// Browser menu.
constexpr THelpContext IEButtonClick = 710;
constexpr THelpContext NavigatorButtonClick = 720;
constexpr THelpContext Browser640Click = 722;
constexpr THelpContext Browser800Click = 722;
constexpr THelpContext Browser1024Click = 722;
constexpr THelpContext Normal1Click = 722;
constexpr THelpContext WebTV1Click = 722;
constexpr THelpContext Borders1Click = 724;
constexpr THelpContext Background1Click = 724;
constexpr THelpContext Normal3Click = 724;
constexpr THelpContext WorkOffline1Click = 730;

// Publishing and the internal browser.
constexpr THelpContext PublishButtonClick = 810;
constexpr THelpContext MultipleDocuments1Click = 820;
constexpr THelpContext IntBrowserButtonClick = 880;

// Preferences.
constexpr THelpContext ChangeFontButtonClick = 910;
constexpr THelpContext Font1Click = 910;
constexpr THelpContext ShowOnTop1Click = 912;
constexpr THelpContext Show1Click = 912;
constexpr THelpContext DontShow1Click = 912;
constexpr THelpContext SetTagColours1Click = 914;
constexpr THelpContext UseTagColouring1Click = 915;
constexpr THelpContext TemplateFolder1Click = 920;
constexpr THelpContext WordWrap1Click = 930;
constexpr THelpContext On2Click = 932;
constexpr THelpContext Off2Click = 933;
constexpr THelpContext SmartTabsMenuClick = 940;
constexpr THelpContext RequestALTtags1Click = 942;
constexpr THelpContext PermanentSaveonViewing1Click = 943;
constexpr THelpContext Prepublishfiles1Click = 944;
constexpr THelpContext ShowSize2Click = 946;
constexpr THelpContext ShowLineNumber2Click = 947;
constexpr THelpContext FileMasks1Click = 948;
constexpr THelpContext TextFiles1Click = 949;
constexpr THelpContext TabSetting1Click = 950;
constexpr THelpContext Margins1Click = 952;
constexpr THelpContext MaxPageSize1Click = 953;
constexpr THelpContext Off1Click = 954;
constexpr THelpContext N2mins1Click = 954;
constexpr THelpContext N5mins1Click = 954;
constexpr THelpContext N10mins1Click = 954;
constexpr THelpContext N15mins1Click = 954;
constexpr THelpContext AutoInsertTabsClick = 955;
constexpr THelpContext ShowBrowserFullSize1Click = 956;
constexpr THelpContext Office97Style1Click = 958;
constexpr THelpContext ParaPrefsClick = 959;
constexpr THelpContext SetupIEClick = 962;
constexpr THelpContext SetupNetscapeNavigatorClick = 964;
constexpr THelpContext SetupPublisherClick = 970;
constexpr THelpContext SetupHelpFilesClick = 980;
constexpr THelpContext DefaultExtension1Click = 992;

// Help menu.
constexpr THelpContext Contents1Click = 1020;
constexpr THelpContext HelponTAG1Click = 1022;
constexpr THelpContext PointerHelp1Click = 1025;
constexpr THelpContext UsingHelp1Click = 1027;
constexpr THelpContext RefLibHelpClick = 1030;
constexpr THelpContext HTML40Help1Click = 1032;
constexpr THelpContext IEHelpClick = 1040;
constexpr THelpContext AboutHelpClick = 1050;

// Common tag buttons.
constexpr THelpContext BoldButtonClick = 10010;
constexpr THelpContext ItalicButtonClick = 10020;
constexpr THelpContext UnderlineButtonClick = 10030;
constexpr THelpContext ParaButtonClick = 10040;
constexpr THelpContext BreakButtonClick = 10050;
constexpr THelpContext RuleButtonClick = 10060;
constexpr THelpContext CentreAlignButtonClick = 10070;
constexpr THelpContext RightAlignButtonClick = 10080;
constexpr THelpContext LinkButtonClick = 10090;
constexpr THelpContext MailToButtonClick = 10100;
constexpr THelpContext ImageButtonClick = 10110;
constexpr THelpContext ImageMapButtonClick = 10112;
constexpr THelpContext CommentButtonClick = 10120;
constexpr THelpContext ScriptButtonClick = 10122;
constexpr THelpContext ASPButtonClick = 10123;
constexpr THelpContext NOBRButtonClick = 10124;
constexpr THelpContext ColourButtonClick = 10125;
constexpr THelpContext SSIButtonClick = 10126;
constexpr THelpContext AppletButtonClick = 10130;
constexpr THelpContext SoundButtonClick = 10132;

// Document structure.
constexpr THelpContext DoctypeButtonClick = 10200;
constexpr THelpContext HTMLButtonClick = 10210;
constexpr THelpContext HeadButtonClick = 10220;
constexpr THelpContext TitleButtonClick = 10230;
constexpr THelpContext BodyButtonClick = 10240;
constexpr THelpContext MetaButtonClick = 10242;

// Font and text style.
constexpr THelpContext FaceButtonClick = 10300;
constexpr THelpContext HeadingsButtonClick = 10310;
constexpr THelpContext IncFontButtonClick = 10320;
constexpr THelpContext DecFontButtonClick = 10330;
constexpr THelpContext BaseFontButtonClick = 10340;
constexpr THelpContext PreButtonClick = 10350;
constexpr THelpContext SubButtonClick = 10360;
constexpr THelpContext SupButtonClick = 10370;
constexpr THelpContext StrongButtonClick = 10380;
constexpr THelpContext EmphButtonClick = 10390;
constexpr THelpContext OtherFontButtonClick = 10400;
constexpr THelpContext OtherStyleDropListClick = 10400;

// Lists.
constexpr THelpContext ListButtonClick = 10500;
constexpr THelpContext ULButtonClick = 10510;
constexpr THelpContext OLButtonClick = 10520;
constexpr THelpContext DLButtonClick = 10530;
constexpr THelpContext MenuButtonClick = 10540;
constexpr THelpContext DirButtonClick = 10550;
constexpr THelpContext LIButtonClick = 10560;
constexpr THelpContext DTButtonClick = 10570;
constexpr THelpContext DDButtonClick = 10580;

// Tables.
constexpr THelpContext MakeTableButtonClick = 10700;
constexpr THelpContext TableButtonClick = 10710;
constexpr THelpContext THButtonClick = 10720;
constexpr THelpContext TRButtonClick = 10730;
constexpr THelpContext TDButtonClick = 10740;
constexpr THelpContext CaptionButtonClick = 10750;
constexpr THelpContext TableFromTextButtonClick = 10752;
constexpr THelpContext THeadButtonClick = 10754;
constexpr THelpContext TBodyButtonClick = 10756;
constexpr THelpContext TFootButtonClick = 10758;
constexpr THelpContext ColgroupButtonClick = 10759;

// Forms.
// TextButtonClick and SubmitButtonClick pass the number of the button that was pressed.
constexpr THelpContext FormButtonClick = 10800;
constexpr THelpContext TextButton = 10810;
constexpr THelpContext TextAreaButton = 10820;
constexpr THelpContext TextAreaButtonClick = 10820;
constexpr THelpContext PasswordButton = 10825;
constexpr THelpContext CheckBoxButtonClick = 10840;
constexpr THelpContext RadioButtonClick = 10850;
constexpr THelpContext ButtonButton = 10859;
constexpr THelpContext SubmitButton = 10860;
constexpr THelpContext ResetButton = 10870;
constexpr THelpContext SelectButtonClick = 10880;
constexpr THelpContext HiddenButton = 10890;
constexpr THelpContext FieldsetButtonClick = 10892;
constexpr THelpContext FormFileButton = 10893;
constexpr THelpContext FormImageButton = 10894;

// Frames.
constexpr THelpContext FrameSetButtonClick = 11000;
constexpr THelpContext FrameButtonClick = 11010;
constexpr THelpContext NoFramesButtonClick = 11020;
constexpr THelpContext IFrameButtonClick = 11022;

// Characters.
constexpr THelpContext AmpButtonClick = 11100;
constexpr THelpContext PoundClick = 11100;
constexpr THelpContext QuotButtonClick = 11102;
constexpr THelpContext CopyRtButtonClick = 11110;
constexpr THelpContext RegButtonClick = 11120;
constexpr THelpContext QuarterButtonClick = 11130;
constexpr THelpContext HalfButtonClick = 11140;
constexpr THelpContext Quarter3ButtonClick = 11150;
constexpr THelpContext nbspButtonClick = 11160;
constexpr THelpContext OtherCharButtonClick = 11170;
constexpr THelpContext CharMapButtonClick = 11180;

// Date, time, miscellaneous codes and glossary.
constexpr THelpContext DateButtonClick = 11200;
constexpr THelpContext MiscButtonClick = 11202;
constexpr THelpContext TimeButtonClick = 11210;
constexpr THelpContext GlossaryButtonClick = 11230;

// Application buttons.
constexpr THelpContext AppButton1Click = 11300;

// Scripts.
constexpr THelpContext ScriptsMenuButtonClick = 12000;
constexpr THelpContext DropLinkButtonClick = 12010;
constexpr THelpContext Newimage1Click = 12020;
constexpr THelpContext MouseOverButton1Click = 12040;
constexpr THelpContext LastModifiedDate1Click = 12050;

// Style sheets, DIV and SPAN.
constexpr THelpContext CSSButtonClick = 19000;
constexpr THelpContext StyleButtonClick = 19010;
constexpr THelpContext SpanButtonClick = 19020;
constexpr THelpContext DivButtonClick = 19030;

// File pane controls and the tag-button bar.
constexpr THelpContext DriveComboBox1Click = 20010;
constexpr THelpContext DriveComboBox1Enter = 20010;
constexpr THelpContext DriveComboBox1Change = 20010;
constexpr THelpContext FileListBox1DblClick = 20030;
constexpr THelpContext FileListBox1Click = 20030;
constexpr THelpContext FileListBox1MouseDown = 20030;
constexpr THelpContext DirectoryListBox1Click = 20032;
constexpr THelpContext DirectoryListBox1MouseDown = 20032;
constexpr THelpContext FilterComboClick = 20040;
constexpr THelpContext FilterComboEnter = 20040;
constexpr THelpContext SplitIt2Click = 20060;
constexpr THelpContext ButtonsPageChange = 21000;

// User-defined tag buttons.
constexpr THelpContext User1ButtonClick = 25092;

// Internal browser buttons and tag-bar scrolling (pop-up topics).
constexpr THelpContext IntBrowserBackButtonClick = 30000;
constexpr THelpContext IntBrowserFwdButtonClick = 30010;
constexpr THelpContext IntBrowserStopButtonClick = 30020;
constexpr THelpContext IntBrowserRefreshButtonClick = 30030;
constexpr THelpContext LeftScroll1Click = 30060;
constexpr THelpContext RightScroll1Click = 30060;

// Numbers that only the window's items carry, for F1.
constexpr THelpContext HelpMenu = 1010;
// The tag bar's pages.
constexpr THelpContext CommonSheet = 25000;
constexpr THelpContext LayoutPage = 25010;
constexpr THelpContext FontSheet = 25020;
constexpr THelpContext ListSheet = 25030;
constexpr THelpContext TablesPage = 25040;
constexpr THelpContext FormSheet = 25050;
constexpr THelpContext FramesPage = 25060;
constexpr THelpContext CharSheet = 25070;
constexpr THelpContext SpecialSheet = 25080;
constexpr THelpContext ApplicationPage = 25090;

} // namespace HelpContexts
