// The application object: start-up and the four stored preferences.
#include <gtest/gtest.h>

#include <string>

#include <wx/config.h>
#include <wx/fileconf.h>

#include "application/WTallyworthApp.h"
#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"

namespace {

// The four preferences as they were, restored when the test ends.
class PreferencesGuard {
public:
  PreferencesGuard()
      : mCount(WTallyworthApp::sMaxMRUCount), mClear(WTallyworthApp::sClearFilesAfterMergingFlag),
        mWarn(WTallyworthApp::sWarnBeforeClearingMergedFilesFlag),
        mSave(WTallyworthApp::sSaveBeforeClearingMergedFilesFlag) {}
  ~PreferencesGuard() {
    WTallyworthApp::sMaxMRUCount = mCount;
    WTallyworthApp::sClearFilesAfterMergingFlag = mClear;
    WTallyworthApp::sWarnBeforeClearingMergedFilesFlag = mWarn;
    WTallyworthApp::sSaveBeforeClearingMergedFilesFlag = mSave;
  }

private:
  int mCount;
  bool mClear, mWarn, mSave;
};

long StoredPreference(wxConfigBase & inConfig, const wxString & inName) {
  long value = -1000;
  inConfig.Read("/Preferences/" + inName, &value);
  return value;
}

} // namespace

TEST(WTallyworthApp, StartsWithTheMainFrameAndOneNewEmptyTimeSheet) {
  const guitest::StartupRecord & startup = guitest::Startup();
  EXPECT_TRUE(startup.mFrameShown);
  EXPECT_EQ(startup.mFrameTitle, "Tallyworth - Untitled1");
  EXPECT_EQ(startup.mDocumentCount, 1u);
  EXPECT_EQ(startup.mDocumentTitle, "Untitled1");
  EXPECT_FALSE(startup.mDocumentHasStream);
  EXPECT_EQ(startup.mDocumentTaskCount, 0u);
  EXPECT_FALSE(startup.mDocumentIsDirty);
  // The program started with an empty configuration folder: it writes the defaults.
  for (const char * line : {"[Preferences]", "MaxMRUCount=20", "ClearFilesAfterMerging=1",
                            "WarnBeforeClearingMergedFiles=1", "SaveBeforeClearingMergedFiles=1"})
    EXPECT_NE(startup.mConfigText.find(line), std::string::npos) << line << "\n" << startup.mConfigText;
}

TEST(WTallyworthApp, StoredPreferencesAreReadAndWrittenStraightBack) {
  PreferencesGuard guard;
  testsupport::TempDir folder;
  struct SCase {
    const char * mStoredCount;
    int mCount;
    const char * mStoredFlag;
    bool mFlag;
  };
  const SCase cases[] = {
      {"5", 5, "5", true},     {"0", 0, "0", false},   {"35", 35, "-3", true},
      {"80", 50, "1", true},   {"-3", 20, "0", false}, {"many", 20, "yes", true},
  };
  int index = 0;
  for (const SCase & c : cases) {
    SCOPED_TRACE(c.mStoredCount);
    const std::string path = folder.file("prefs" + std::to_string(index++) + ".conf");
    testsupport::WriteFileBytes(path, std::string("[Preferences]\nMaxMRUCount=") + c.mStoredCount +
                                          "\nClearFilesAfterMerging=" + c.mStoredFlag +
                                          "\nWarnBeforeClearingMergedFiles=" + c.mStoredFlag +
                                          "\nSaveBeforeClearingMergedFiles=" + c.mStoredFlag + "\n");
    {
      wxFileConfig config("Tallyworth", "Quillmark", wxString::FromUTF8(path), wxString(), wxCONFIG_USE_LOCAL_FILE);
      wxConfigBase * previous = wxConfigBase::Set(&config);
      WTallyworthApp::sMaxMRUCount = 20;
      WTallyworthApp::sClearFilesAfterMergingFlag = WTallyworthApp::sWarnBeforeClearingMergedFilesFlag =
          WTallyworthApp::sSaveBeforeClearingMergedFilesFlag = true;
      WTallyworthApp::Get().ReadPreferences();
      wxConfigBase::Set(previous);
      EXPECT_EQ(WTallyworthApp::sMaxMRUCount, c.mCount);
      EXPECT_EQ(WTallyworthApp::sClearFilesAfterMergingFlag, c.mFlag);
      EXPECT_EQ(WTallyworthApp::sWarnBeforeClearingMergedFilesFlag, c.mFlag);
      EXPECT_EQ(WTallyworthApp::sSaveBeforeClearingMergedFilesFlag, c.mFlag);
    }
    // Written back at once: the stored values are now the ones in force, flags as 0 or 1.
    wxFileConfig reread("Tallyworth", "Quillmark", wxString::FromUTF8(path), wxString(), wxCONFIG_USE_LOCAL_FILE);
    EXPECT_EQ(StoredPreference(reread, "MaxMRUCount"), c.mCount);
    EXPECT_EQ(StoredPreference(reread, "ClearFilesAfterMerging"), c.mFlag ? 1 : 0);
    EXPECT_EQ(StoredPreference(reread, "WarnBeforeClearingMergedFiles"), c.mFlag ? 1 : 0);
    EXPECT_EQ(StoredPreference(reread, "SaveBeforeClearingMergedFiles"), c.mFlag ? 1 : 0);
  }
}
