// The application object: starts the program, keeps the four preferences, owns the
// recent-file list (through the document manager) and what the whole process shares.
#pragma once

#include <memory>
#include <vector>

#include <wx/app.h>
#include <wx/string.h>

#include "application/WResourceStrings.h"

class wxConfigBase;
class wxDialog;
class wxDocument;
class WDocManager;
class WFilterDialog;
class WMainWindow;
class WMultiLevelCompareDialog;

class WTallyworthApp : public wxApp {
public:
  WTallyworthApp();
  ~WTallyworthApp() override;

  /// The one application object (wxTheApp).
  static WTallyworthApp & Get();

  /// Starts the program: styles, strings, preferences, recent files, document manager and
  /// template, main frame, one new, empty time sheet, then the files named on the command
  /// line (see OpenStartupFiles).
  bool OnInit() override;
  /// Releases the shared dialogs.
  int OnExit() override;

  /// Writes "MaxMRUCount", then sets sMaxMRUCount.
  virtual void WriteMaxMRUCount(int inMaxMRUCount);
  /// WriteClearAfterMergeFlags with inClear and the current warn and save flags.
  virtual void WriteClearAfterMergeFlags(bool inClear);
  /// Writes the three merge flags (0 or 1) in order, then sets the three statics.
  virtual void WriteClearAfterMergeFlags(bool inClear, bool inWarnFirst, bool inSaveFirst);
  /// Sets sIsWindowsXP: whether themed drawing is available.
  virtual void CheckWindowsVersion();

  /// Opens the time sheet at inPath, or activates it when it is open already; refuses a
  /// path where no file exists with a message. Null when refused or when opening failed.
  virtual wxDocument * OpenDocumentFile(const wxString & inPath);

  /// The time sheets named by inArguments (the program's own name first): every argument
  /// after it but those that start with "-" before a "--", which are the toolkit's.
  static std::vector<wxString> StartupFiles(const std::vector<wxString> & inArguments);
  /// Opens inPaths as if chosen together in the Open dialog; once one of them is open, the
  /// new, empty time sheet of start-up is closed if it is still untouched.
  void OpenStartupFiles(const std::vector<wxString> & inPaths);

  /// Help > About: the about box, modal, with no parent.
  void DoAbout();
  /// Edit > Preferences: the preferences dialog, modal, with no parent.
  void DoPreferences();

  /// Reads the four preferences from the current configuration (each absent or
  /// unreadable value keeps the current one) and writes them straight back.
  void ReadPreferences();

  /// True when themed drawing is available.
  static bool IsWindowsXP() { return sIsWindowsXP; }
  /// A stored recent-file count brought into the range the program can show: above 50
  /// gives 50, a negative count the default of 20.
  static int SanitizeMaxMRUCount(long inStoredCount);

  /// The configuration in force, set to read and write every value as it stands (no
  /// $NAME, ${NAME} or %NAME% expansion); null when there is none.
  static wxConfigBase * GetConfig();

  /// The document manager (null before start-up).
  WDocManager * GetDocManager() const { return mDocManager; }

  static int sMaxMRUCount;
  static bool sClearFilesAfterMergingFlag;
  static bool sWarnBeforeClearingMergedFilesFlag;
  static bool sSaveBeforeClearingMergedFilesFlag;
  static bool sIsWindowsXP;
  /// The one filter dialog, created on first use.
  static std::unique_ptr<WFilterDialog> sFilterDialog;
  /// The Sort By Other and Group By Other dialogs: made on first use, kept until the end.
  static std::unique_ptr<WMultiLevelCompareDialog> sSortDialog;
  static std::unique_ptr<WMultiLevelCompareDialog> sGroupDialog;
  static WMainWindow * gMainWindow;

private:
  // The stored preference inName of the "Preferences" group, or inDefault.
  static long GetProfileInt(const wxString & inName, long inDefault);
  // Stores inValue under inName in the "Preferences" group and writes the configuration.
  static void WriteProfileInt(const wxString & inName, long inValue);
  // Installs the program's own configuration store unless one is installed already.
  void SetUpConfiguration();

  WResourceStrings mResourceStrings;
  WDocManager * mDocManager = nullptr; // owned
};

wxDECLARE_APP(WTallyworthApp);
