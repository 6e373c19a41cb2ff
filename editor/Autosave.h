#pragma once
// Autosave: the modified pages copied into the private temporary folder at the chosen interval,
// and the recovery of those copies at the first showing after a run that did not end normally.

#include "editor/MainFormFeature.h"

#include <optional>
#include <vector>

class TMenuItem;
class TStringList;
class TStrings;
class TTimer;

class TAutosave : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // The Preferences menu's Autosave follows Request ALT Tags.
    void Build() override;
    void Bind() override;
    // The interval kept in the registry, five minutes when none is.
    void ReadSettings() override;
    // The copies of a run that did not end normally are offered back.
    void FirstShowing() override;

    // The Preferences > Autosave commands: the interval in minutes, or Off.
    void Off1Click(TObject* Sender);
    void N2mins1Click(TObject* Sender);
    void N5mins1Click(TObject* Sender);
    void N10mins1Click(TObject* Sender);
    void N15mins1Click(TObject* Sender);
    // Copies every modified page into the temporary folder and lists the copies in the index.
    void AutosaveTimerTimer(TObject* Sender);

    TMenuItem* Autosave1 = nullptr;
    TMenuItem* N2mins1 = nullptr;
    TMenuItem* N5mins1 = nullptr;
    TMenuItem* N10mins1 = nullptr;
    TMenuItem* N15mins1 = nullptr;
    TMenuItem* Off1 = nullptr;
    TTimer* AutosaveTimer = nullptr;

private:
    void ChooseAutosaveInterval(TMenuItem* item, int minutes);
    TStringList AutosaveIndex(const String& folder, TStrings& placeholders,
                              std::optional<Exception>& failure);
    void WriteAutosaveCopy(int page, const String& folder, TStrings& placeholders);
    // The page's index line: its copy, its caption and, for a page with a file, the file's path.
    String AutosaveIndexLine(int page) const;
    void ReportAutosaveFailure(const std::optional<Exception>& failure);
    void RecoverAutosavedFiles();
    // Loads the copy on a free page as the index describes it; false when it was not loaded.
    bool LoadAutosavedCopy(const String& copy, const TStrings& index);
    void KeepUnloadedCopies(const String& folder, int count);
    // Whether the failure of the runs that keep failing has been shown, and the index lines of
    // the copies that recovery could not load, kept for the next start.
    bool AutosaveFailureShown = false;
    std::vector<String> KeptAutosaveLines;
};
