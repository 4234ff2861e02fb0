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

#include "dialogs/WFilterDialog.h"
#include "documents/WDocManager.h"
#include "documents/WTimeSheetDocTemplate.h"
#include "files/SFile.h"
#include "other/WFonts.h"
#include "other/WMessageBox.h"
#include "other/WPaths.h"
#include "resources/WCommandIds.h"
#include "resources/WStringTable.h"
#include "windows/WMainWindow.h"

int WTallyworthApp::sMaxMRUCount = 20;
bool WTallyworthApp::sClearFilesAfterMergingFlag = true;
bool WTallyworthApp::sWarnBeforeClearingMergedFilesFlag = true;
bool WTallyworthApp::sSaveBeforeClearingMergedFilesFlag = true;
bool WTallyworthApp::sIsWindowsXP = false;
std::unique_ptr<WFilterDialog> WTallyworthApp::sFilterDialog;
wxDialog * WTallyworthApp::sSortDialog = nullptr;
wxDialog * WTallyworthApp::sGroupDialog = nullptr;
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
  gMainWindow->Show();
  gMainWindow->Update();

  mDocManager->CreateNewTimeSheet();
  return true;
}

int WTallyworthApp::OnExit() {
  sFilterDialog.reset();
  for (wxDialog ** dialog : {&sSortDialog, &sGroupDialog}) {
    if (*dialog != nullptr) {
      (*dialog)->Destroy();
      *dialog = nullptr;
    }
  }
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
}

long WTallyworthApp::GetProfileInt(const wxString & inName, long inDefault) {
  wxConfigBase * config = wxConfigBase::Get();
  long value = inDefault;
  if (config == nullptr || !config->Read("/" + WResourceStrings::sPreferencesKey + "/" + inName, &value))
    return inDefault;
  return value;
}

void WTallyworthApp::WriteProfileInt(const wxString & inName, long inValue) {
  wxConfigBase * config = wxConfigBase::Get();
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

