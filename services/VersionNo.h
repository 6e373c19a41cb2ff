#pragma once
// The program's version number, compile date and copyright, and the texts made of them: a
// label's caption from a template, version numbers of chosen parts, an information text and a
// version report.

#include "platform/Component.h"
#include "platform/DateTime.h"

class TLabel;

enum TDateType { dmy, mdy, ymd };
enum TVFileType {
    vftUnknown,
    vftApplication,
    vftDLL,
    vftDriver,
    vftFont,
    vftVirtualDev,
    vftStaticLib,
};
enum TVerType { vtNumber, vtLetter };
enum TOSType { ostUnknown, ostWin3x, ostWin9x, ostWinNT, ostDOS, ostNT, ostWin16, ostWin32 };
enum TLangType {
    ltEnglish_US,
    ltEnglish_UK,
    ltDanish,
    ltDutch,
    ltDutch_Belgian,
    ltEnglish_Australian,
    ltEnglish_Canadian,
    ltEnglish_NZ,
    ltEnglish_Ireland,
    ltFinnish,
    ltFrench,
    ltFrench_Belgian,
    ltFrench_Canadian,
    ltFrench_Swiss,
    ltGerman,
    ltGerman_Swiss,
    ltGerman_Austrian,
    ltIcelandic,
    ltItalian,
    ltItalian_Swiss,
    ltNorwegian_Bokmal,
    ltNorwegian_Nynorsk,
    ltPortuguese_Brazilian,
    ltPortuguese,
    ltSwedish,
    ltSpanish_Trad,
    ltSpanish_Mexican,
    ltSpanish_Modern,
    ltTurkish,
    ltPolish,
    ltCzech,
    ltSlovak,
    ltHungarian,
    ltRussian,
    ltGreek,
    ltNeutral,
};

class TVersionNo : public TComponent {
public:
    explicit TVersionNo(TComponent* AOwner);

    // The order of day, month and year in CompiledDate.
    TDateType DateType() const { return FDateType; }
    void SetDateType(TDateType value);
    TVFileType FileType() const { return FFileType; }
    void SetFileType(TVFileType value) { FFileType = value; }

    int VerMajor() const { return FVerMajor; }
    void SetVerMajor(int value);
    // Read: the number, with a leading "0" below 10 when PadVerMinor is on. Written: the number
    // at the start of the text.
    String VerMinor() const;
    void SetVerMinor(const String& value);
    // Written: a letter counts by its place in the alphabet (a = 1), anything else as the number
    // at its start. Read: the letter in letter mode (empty for 0), else the number.
    String VerSub() const;
    void SetVerSub(const String& value);
    TVerType VerSubType() const { return FVerSubType; }
    void SetVerSubType(TVerType value);
    int VerBuild() const { return FVerBuild; }
    void SetVerBuild(int value);
    int VerBuildSub() const { return FVerBuildSub; }
    void SetVerBuildSub(int value);
    bool PadVerMinor() const { return FPadVerMinor; }
    void SetPadVerMinor(bool value) { FPadVerMinor = value; }

    // "d-m-yy", "m-d-yy" or "yy-m-d" as DateType orders it; an empty text means today. A text
    // that cannot be read shows the date message and changes nothing; an impossible date raises
    // EConvertError and changes nothing.
    const String& CompiledDate() const { return FCompiledDate; }
    void SetCompiledDate(const String& value);
    // "hh:nn:ss"; written as hours, ":" and minutes, optionally ":" and seconds, or empty for now.
    const String& CompiledTime() const { return FCompiledTime; }
    void SetCompiledTime(const String& value);
    const String& CopyrightName() const { return FCopyrightName; }
    void SetCopyrightName(const String& value);
    const String& CopyrightYear() const { return FCopyrightYear; }
    void SetCopyrightYear(const String& value);

    // The label whose caption shows LabelText, refreshed whenever a part of it changes.
    TLabel* AssociatedLabel() const { return FAssociatedLabel; }
    void SetAssociatedLabel(TLabel* value);
    const String& LabelFormat() const { return FLabelFormat; }
    void SetLabelFormat(const String& value);
    String LabelText() const;
    String LabelVersion() const { return LabelText(); }
    void SetLabelVersion(const String&) { RefreshLabel(); }
    const String& ProductVerFormat() const { return FProductVerFormat; }
    void SetProductVerFormat(const String& value) { FProductVerFormat = value; }
    String ProductVersion() const;
    const String& FileVersionFormat() const { return FFileVersionFormat; }
    void SetFileVersionFormat(const String& value) { FFileVersionFormat = value; }
    String FileVersion() const;

    // Also names the program file after the title when ExeName is empty.
    const String& AppTitle() const { return FAppTitle; }
    void SetAppTitle(const String& value);
    const String& ExeName() const { return FExeName; }
    void SetExeName(const String& value) { FExeName = value; }
    const String& RCFileName() const { return FRCFileName; }
    void SetRCFileName(const String& value) { FRCFileName = value; }
    const String& Description() const { return FDescription; }
    void SetDescription(const String& value) { FDescription = value; }
    TOSType OSType() const { return FOSType; }
    void SetOSType(TOSType value) { FOSType = value; }
    TLangType Language() const { return FLanguage; }
    void SetLanguage(TLangType value) { FLanguage = value; }
    // The system's language identifier of Language, in decimal ("2057").
    String LanguageID() const;
    const String& Comments() const { return FComments; }
    void SetComments(const String& value) { FComments = value; }
    const String& ProductName() const { return FProductName; }
    void SetProductName(const String& value) { FProductName = value; }
    const String& WebAddress() const { return FWebAddress; }
    void SetWebAddress(const String& value) { FWebAddress = value; }

    // Fills a template: %1 major, %2 minor, %3 sub-version (a letter unless kind is
    // "FileVersion"), %4 build, %5 build-sub, %C or %N copyright owner, %D compile date, %T compile
    // time, %Y copyright year.
    String MakeVerText(const String& textFormat, const String& kind) const;
    // The compile date and time in the framework's date format; "-", "." and ":" print as they
    // are. An empty format gives the date in DateType's order and the time.
    String GetDateCompiled(const String& dateFormat = String()) const;
    // "v.3.0d": without the prefix, shortened to the major number (and the minor one when it is
    // not 0), with the build number.
    String GetVersion(bool noPrefix = false, bool shortForm = false, bool withBuild = false) const;
    String GetVersionNoLong() const { return GetVersion(true, false, true); }
    String GetVersionNoShort() const { return GetVersion(true, true, false); }
    // The chosen parts joined with "."; a sub-version letter follows the minor number directly.
    String ShowVersionNumber(bool major = true, bool minor = true, bool sub = false,
                             bool build = false, bool buildSub = false) const;
    // Fills a template: %B build, %J major, %N minor, %S sub-version, %C copyright message (%CM
    // too), %CN owner, %CY year, %D'format' compile date and time.
    String GetVersionInfoFormatted(const String& textFormat) const;
    // The version report, shown in a message box when show is true.
    String ShowVersionInfo(bool show = true, const String& heading = String(),
                           const String& footer = String()) const;
    // "Copyright © " + owner + " " + year.
    const String& GetCopyrightMessage() const { return FCopyrightMessage; }
    String InvalidTimeMessage() const;
    String InvalidDateMessage() const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void RefreshLabel();
    void BuildCopyrightMessage();
    String MinorText() const;
    String SubText() const;
    String DateOrder() const;
    TDateTime CompiledDateTime() const { return FCompileDate + FCompileTime; }

    TDateType FDateType = dmy;
    TVFileType FFileType = vftApplication;
    int FVerMajor = 1;
    int FVerMinor = 0;
    int FVerSub = 0;
    TVerType FVerSubType = vtNumber;
    int FVerBuild = 0;
    int FVerBuildSub = 0;
    bool FPadVerMinor = false;
    TDateTime FCompileDate = 0;
    TDateTime FCompileTime = 0;
    String FCompiledDate;
    String FCompiledTime;
    String FCopyrightName;
    String FCopyrightYear;
    String FCopyrightMessage;
    TLabel* FAssociatedLabel = nullptr;
    String FLabelFormat = "Version %1.%2 Build %4";
    String FProductVerFormat = "%1.%2";
    String FFileVersionFormat = "%1.%2.%3.%4";
    String FAppTitle;
    String FExeName;
    String FRCFileName;
    String FDescription;
    TOSType FOSType = ostWin9x;
    TLangType FLanguage = ltEnglish_UK;
    String FComments;
    String FProductName;
    String FWebAddress;
};
