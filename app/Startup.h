#pragma once
// The program's start, step by step: each step is a function of its own so that tests can run
// them one at a time; RunProgram runs them all in order.

#include "platform/SysUtils.h"

// The version shown on the splash until the main window knows its own.
extern const char* const InitialProgramVersion;

void SetInitialProgramVersion();
// Writes the printer's default margins and codes, each only where it is missing.
void SeedPrintMarginDefaults();
// Shows what went wrong when the registry file was read, if anything did.
void ReportRegistryLoadProblem();
// When the registry file cannot be written, the program goes on with the settings it read,
// keeping changes for this run only, and says so once (the load problem may have said it).
void GoOnWhenSettingsCannotBeSaved();
// The settings' part of the start, in order: the registry file's problems told, then the
// printer's defaults written where they are missing.
void PrepareSettings();
// Fills the program folder, and says once which folder could not be filled, if one could not.
void ReportProgramFolderProblem();
// Takes the single-copy lock, kept for the rest of the run; true when another copy holds it.
bool AnotherCopyRuns();
// True when another copy runs and this one has handed the command line over, or told the user why
// it could not; false once this copy holds the lock, also when it took it from a running copy that
// ended while this one waited for it.
bool LeftToAnotherCopy(const String& commandLine);
// The arguments after the program's name joined with blanks; a text wrapped in double quotes is
// taken without them.
String CommandLineOf(int argc, char** argv);
void SetProvisionalTitle();
void CreateSplash();
// "SplashScreen" from the product key: "0" none, "1" an ordinary window, anything else on top.
String SplashSetting();
// Shows or hides the splash as the setting and the command line ask.
void DecideSplashShowing();
void ShowCreatingForms();
// The seven forms that live for the whole run, in order; the first is the main window.
void CreateStartupForms();
// The main window opens the command line that a later copy hands over.
void AcceptHandOvers();

// The whole start; returns the program's exit code, 0 in every case.
int RunProgram(int argc, char** argv);
