// The application object.
#include "application/WTallyworthApp.h"

#include <clocale>

#include <wx/config.h>
#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>
#if defined(__WXMSW__)
#include <wx/msw/uxtheme.h>
#endif

#include "dialogs/WAboutDialog.h"
#include "dialogs/WFilterDialog.h"
#include "dialogs/WPreferencesDialog.h"
#include "documents/WDocManager.h"
#include "documents/WTimeSheetDocTemplate.h"
#include "dialogs/WMultiLevelCompareDialog.h"
#include "files/SFile.h"
#include "other/WFonts.h"
#include "other/WMessageBox.h"
#include "other/WPaths.h"
#include "resources/WCommandIds.h"
#include "resources/WProgramIcon.h"
#include "resources/WStringTable.h"
#include "windows/WMainWindow.h"

int WTallyworthApp::sMaxMRUCount = 20;
bool WTallyworthApp::sClearFilesAfterMergingFlag = true;
bool WTallyworthApp::sWarnBeforeClearingMergedFilesFlag = true;
bool WTallyworthApp::sSaveBeforeClearingMergedFilesFlag = true;
bool WTallyworthApp::sIsWindowsXP = false;
std::unique_ptr<WFilterDialog> WTallyworthApp::sFilterDialog;
std::unique_ptr<WMultiLevelCompareDialog> WTallyworthApp::sSortDialog;
std::unique_ptr<WMultiLevelCompareDialog> WTallyworthApp::sGroupDialog;
WMainWindow * WTallyworthApp::gMainWindow = nullptr;

WTallyworthApp::WTallyworthApp() = default;

WTallyworthApp::~WTallyworthApp() { delete mDocManager; }

WTallyworthApp & WTallyworthApp::Get() { return *static_cast<WTallyworthApp *>(wxApp::GetInstance()); }

bool WTallyworthApp::OnInit() {
  // The file layer and the core read numbers themselves; keep the C library's numeric
  // conventions whatever the toolkit set up.
  std::setlocale(LC_NUMERIC, "C");

  CheckWindowsVersion();
  WFonts::RegisterPrivateFonts();
  mResourceStrings.LoadStrings();
  SetAppName(WStringTable::Get(WStringTable::eAppTitle));
  SetVendorName(WStringTable::Get(WStringTable::eCompanyName));
  SetUpConfiguration();
  ReadPreferences();

  mDocManager = new WDocManager;
  mDocManager->StartRecentFileList();
  new WTimeSheetDocTemplate(mDocManager);

  gMainWindow = new WMainWindow(mDocManager);
  SetTopWindow(gMainWindow);
  gMainWindow->SetIcons(WProgramIcon::Bundle());
  gMainWindow->Show();
  gMainWindow->Update();

  mDocManager->CreateNewTimeSheet();
  std::vector<wxString> arguments;
  for (int i = 0; i < argc; ++i)
    arguments.push_back(argv[i]);
  OpenStartupFiles(StartupFiles(arguments));
  return true;
}

void WTallyworthApp::DoAbout() {
  WAboutDialog dialog(nullptr);
  dialog.DoModal();
}

void WTallyworthApp::DoPreferences() {
  WPreferencesDialog dialog(nullptr);
  dialog.DoModal();
}

std::vector<wxString> WTallyworthApp::StartupFiles(const std::vector<wxString> & inArguments) {
  std::vector<wxString> paths;
  bool optionsEnded = false;
  for (std::size_t i = 1; i < inArguments.size(); ++i) {
    const wxString & argument = inArguments[i];
    if (!optionsEnded && argument == "--")
      optionsEnded = true;
    else if (optionsEnded || !argument.StartsWith("-"))
      paths.push_back(argument);
  }
  return paths;
}

void WTallyworthApp::OpenStartupFiles(const std::vector<wxString> & inPaths) {
  if (inPaths.empty() || mDocManager == nullptr)
    return;
  // The time sheet of start-up, if it is the only one and nobody has touched it yet.
  wxDocument * untouched = nullptr;
  if (mDocManager->GetDocumentsVector().size() == 1) {
    wxDocument * document = mDocManager->GetDocumentsVector().front();
    if (document->GetFilename().empty() && !document->IsModified())
      untouched = document;
  }
  bool opened = false;
  for (const wxString & path : inPaths) {
    wxFileName name(path);
    name.MakeAbsolute();
    opened = OpenDocumentFile(name.GetFullPath()) != nullptr || opened;
  }
  if (opened && untouched != nullptr && !untouched->IsModified() && untouched->GetFilename().empty()) {
    mDocManager->CloseDocument(untouched, true);
    // The last one opened stays in front.
    if (wxView * view = mDocManager->GetCurrentView())
      view->Activate(true);
  }
}

int WTallyworthApp::OnExit() {
  sFilterDialog.reset();
  sSortDialog.reset();
  sGroupDialog.reset();
  gMainWindow = nullptr;
  return wxApp::OnExit();
}

void WTallyworthApp::SetUpConfiguration() {
  if (wxConfigBase::Get(false) != nullptr)
    return;
#if !defined(__WXMSW__)
  // $XDG_CONFIG_HOME/Tallyworth.conf; wxFileConfig does not create the folder itself.
  wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
  const wxString folder = wxStandardPaths::Get().GetUserConfigDir();
  if (!wxFileName::DirExists(folder))
    wxFileName::Mkdir(folder, 0700, wxPATH_MKDIR_FULL);
#endif
  // A damaged file is read as far as it goes; the toolkit's own complaints stay silent.
  wxLogNull quiet;
  wxConfigBase::Set(new wxConfig(GetAppName(), GetVendorName()));
  GetConfig();
}

wxConfigBase * WTallyworthApp::GetConfig() {
  wxConfigBase * config = wxConfigBase::Get();
  // Stored paths come back as written: "$HOME" or "%TEMP%" in a file name is no variable.
  if (config != nullptr)
    config->SetExpandEnvVars(false);
  return config;
}

long WTallyworthApp::GetProfileInt(const wxString & inName, long inDefault) {
  wxConfigBase * config = GetConfig();
  long value = inDefault;
  if (config == nullptr || !config->Read("/" + WResourceStrings::sPreferencesKey + "/" + inName, &value))
    return inDefault;
  return value;
}

void WTallyworthApp::WriteProfileInt(const wxString & inName, long inValue) {
  wxConfigBase * config = GetConfig();
  if (config == nullptr)
    return;
  // A configuration that cannot be written keeps the value for this session only.
  wxLogNull quiet;
  config->Write("/" + WResourceStrings::sPreferencesKey + "/" + inName, inValue);
  config->Flush();
}

int WTallyworthApp::SanitizeMaxMRUCount(long inStoredCount) {
  if (inStoredCount < 0)
    return 20;
  if (inStoredCount > WCommandIds::eMaxRecentFiles)
    return WCommandIds::eMaxRecentFiles;
  return static_cast<int>(inStoredCount);
}

void WTallyworthApp::ReadPreferences() {
  sMaxMRUCount = SanitizeMaxMRUCount(GetProfileInt(WResourceStrings::sMaxMRUCountName, sMaxMRUCount));
  WriteMaxMRUCount(sMaxMRUCount);

  const bool clear = GetProfileInt(WResourceStrings::sClearFilesAfterMergingFlagName,
                                   sClearFilesAfterMergingFlag ? 1 : 0) != 0;
  const bool warn = GetProfileInt(WResourceStrings::sWarnBeforeClearingMergedFilesFlagName,
                                  sWarnBeforeClearingMergedFilesFlag ? 1 : 0) != 0;
  const bool save = GetProfileInt(WResourceStrings::sSaveBeforeClearingMergedFilesFlagName,
                                  sSaveBeforeClearingMergedFilesFlag ? 1 : 0) != 0;
  WriteClearAfterMergeFlags(clear, warn, save);
}

void WTallyworthApp::WriteMaxMRUCount(int inMaxMRUCount) {
  WriteProfileInt(WResourceStrings::sMaxMRUCountName, inMaxMRUCount);
  sMaxMRUCount = inMaxMRUCount;
}

void WTallyworthApp::WriteClearAfterMergeFlags(bool inClear) {
  WriteClearAfterMergeFlags(inClear, sWarnBeforeClearingMergedFilesFlag, sSaveBeforeClearingMergedFilesFlag);
}

void WTallyworthApp::WriteClearAfterMergeFlags(bool inClear, bool inWarnFirst, bool inSaveFirst) {
  WriteProfileInt(WResourceStrings::sClearFilesAfterMergingFlagName, inClear ? 1 : 0);
  WriteProfileInt(WResourceStrings::sWarnBeforeClearingMergedFilesFlagName, inWarnFirst ? 1 : 0);
  WriteProfileInt(WResourceStrings::sSaveBeforeClearingMergedFilesFlagName, inSaveFirst ? 1 : 0);
  sClearFilesAfterMergingFlag = inClear;
  sWarnBeforeClearingMergedFilesFlag = inWarnFirst;
  sSaveBeforeClearingMergedFilesFlag = inSaveFirst;
}

void WTallyworthApp::CheckWindowsVersion() {
#if defined(__WXMSW__)
  sIsWindowsXP = wxUxThemeIsActive();
#else
  // The toolkit always draws with its theme.
  sIsWindowsXP = true;
#endif
}

wxDocument * WTallyworthApp::OpenDocumentFile(const wxString & inPath) {
  if (!SFile::ExistsOnDisk(WPaths::ToFileSpec(inPath))) {
    WMessageBox::Show("The open operation failed: The file " + inPath + " does not exist on disk.",
                      wxOK | wxICON_EXCLAMATION);
    return nullptr;
  }
  return mDocManager != nullptr ? mDocManager->OpenDocumentFile(inPath) : nullptr;
}

