// The application object: start-up, the four preferences, refusing missing files, and
// the commands that are always there.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include "application/WResourceStrings.h"
#include "application/WTallyworthApp.h"
#include "documents/WDocManager.h"
#include "resources/WCommandIds.h"
#include "resources/WStringTable.h"
#include "support/GuiTestSupport.h"
#include "support/TestSupport.h"
#include "windows/WMainWindow.h"

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

// Installs a configuration file of the test's own while it lives.
class ScopedConfig {
public:
  explicit ScopedConfig(const std::string & inPath)
      : mConfig(new wxFileConfig("Tallyworth", "Quillmark", wxString::FromUTF8(inPath), wxString(),
                                 wxCONFIG_USE_LOCAL_FILE)) {
    mPrevious = wxConfigBase::Set(mConfig);
  }
  ~ScopedConfig() {
    wxConfigBase::Set(mPrevious);
    delete mConfig;
  }
  wxFileConfig & Get() { return *mConfig; }

private:
  wxFileConfig * mConfig;
  wxConfigBase * mPrevious;
};

long StoredPreference(wxConfigBase & inConfig, const wxString & inName) {
  long value = -1000;
  inConfig.Read("/Preferences/" + inName, &value);
  return value;
}

void ResetPreferencesToDefaults() {
  WTallyworthApp::sMaxMRUCount = 20;
  WTallyworthApp::sClearFilesAfterMergingFlag = true;
  WTallyworthApp::sWarnBeforeClearingMergedFilesFlag = true;
  WTallyworthApp::sSaveBeforeClearingMergedFilesFlag = true;
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
  EXPECT_TRUE(WTallyworthApp::IsWindowsXP());
}

TEST(WTallyworthApp, FirstStartWritesTheFourPreferencesWithTheirDefaults) {
  // The program started with an empty configuration folder.
  const std::string & text = guitest::Startup().mConfigText;
  EXPECT_NE(text.find("[Preferences]"), std::string::npos) << text;
  EXPECT_NE(text.find("MaxMRUCount=20"), std::string::npos) << text;
  EXPECT_NE(text.find("ClearFilesAfterMerging=1"), std::string::npos) << text;
  EXPECT_NE(text.find("WarnBeforeClearingMergedFiles=1"), std::string::npos) << text;
  EXPECT_NE(text.find("SaveBeforeClearingMergedFiles=1"), std::string::npos) << text;
}

TEST(WTallyworthApp, ResourceStringsHoldTheTableTexts) {
  EXPECT_EQ(WResourceStrings::sPreferencesKey, "Preferences");
  EXPECT_EQ(WResourceStrings::sMaxMRUCountName, "MaxMRUCount");
  EXPECT_EQ(WResourceStrings::sClearFilesAfterMergingFlagName, "ClearFilesAfterMerging");
  EXPECT_EQ(WResourceStrings::sWarnBeforeClearingMergedFilesFlagName, "WarnBeforeClearingMergedFiles");
  EXPECT_EQ(WResourceStrings::sSaveBeforeClearingMergedFilesFlagName, "SaveBeforeClearingMergedFiles");
  EXPECT_EQ(WResourceStrings::sWhoCodeFieldName, "Who Code");
  EXPECT_EQ(WResourceStrings::sTimeCodeFieldName, "Fee Code");
  EXPECT_EQ(WResourceStrings::sOrderInFileName, "Order In File");
  EXPECT_EQ(WResourceStrings::sWhoCodeFieldHeader, "Who");
  EXPECT_EQ(WResourceStrings::sJobNumberFieldHeader, "Job");
  EXPECT_EQ(WResourceStrings::sTimeCodeFieldHeader, "Code");
  EXPECT_EQ(WResourceStrings::sDurationFooter, "Duration:");
  EXPECT_EQ(WResourceStrings::sEntryCountFooter, "Entry Count:");
  EXPECT_EQ(WStringTable::Get(16449),
            "This time sheet contains unsaved data.  Are you sure that you want to clear the entire time sheet?");
  EXPECT_TRUE(WStringTable::Get(4242).empty());
  EXPECT_FALSE(WStringTable::Has(4242));
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
      ScopedConfig config(path);
      ResetPreferencesToDefaults();
      WTallyworthApp::Get().ReadPreferences();
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

TEST(WTallyworthApp, AnEmptyConfigurationGetsTheDefaultsAndAMissingValueKeepsTheCurrentOne) {
  PreferencesGuard guard;
  testsupport::TempDir folder;
  {
    ScopedConfig config(folder.file("empty.conf"));
    ResetPreferencesToDefaults();
    WTallyworthApp::Get().ReadPreferences();
    EXPECT_EQ(StoredPreference(config.Get(), "MaxMRUCount"), 20);
    EXPECT_EQ(StoredPreference(config.Get(), "ClearFilesAfterMerging"), 1);
    EXPECT_EQ(StoredPreference(config.Get(), "WarnBeforeClearingMergedFiles"), 1);
    EXPECT_EQ(StoredPreference(config.Get(), "SaveBeforeClearingMergedFiles"), 1);
  }
  testsupport::WriteFileBytes(folder.file("partial.conf"), "[Preferences]\nWarnBeforeClearingMergedFiles=0\n");
  ScopedConfig config(folder.file("partial.conf"));
  WTallyworthApp::sMaxMRUCount = 40;
  WTallyworthApp::sSaveBeforeClearingMergedFilesFlag = false;
  WTallyworthApp::Get().ReadPreferences();
  EXPECT_EQ(WTallyworthApp::sMaxMRUCount, 40);
  EXPECT_TRUE(WTallyworthApp::sClearFilesAfterMergingFlag);
  EXPECT_FALSE(WTallyworthApp::sWarnBeforeClearingMergedFilesFlag);
  EXPECT_FALSE(WTallyworthApp::sSaveBeforeClearingMergedFilesFlag);
  EXPECT_EQ(StoredPreference(config.Get(), "MaxMRUCount"), 40);
  EXPECT_EQ(StoredPreference(config.Get(), "SaveBeforeClearingMergedFiles"), 0);
}

namespace {

// Records every number written, with the flags in force at that moment.
class RecordingConfig : public wxFileConfig {
public:
  explicit RecordingConfig(const wxString & inPath)
      : wxFileConfig("Tallyworth", "Quillmark", inPath, wxString(), wxCONFIG_USE_LOCAL_FILE) {}

  struct SWrite {
    wxString mKey;
    long mValue;
    int mCountInForce;
    bool mClearInForce;
  };
  std::vector<SWrite> mWrites;

protected:
  bool DoWriteLong(const wxString & inKey, long inValue) override {
    mWrites.push_back({inKey, inValue, WTallyworthApp::sMaxMRUCount, WTallyworthApp::sClearFilesAfterMergingFlag});
    return wxFileConfig::DoWriteLong(inKey, inValue);
  }
};

} // namespace

TEST(WTallyworthApp, WritingPreferencesStoresThemInOrderBeforeTheyTakeEffect) {
  PreferencesGuard guard;
  testsupport::TempDir folder;
  auto * config = new RecordingConfig(wxString::FromUTF8(folder.file("record.conf")));
  wxConfigBase * previous = wxConfigBase::Set(config);
  ResetPreferencesToDefaults();

  WTallyworthApp::Get().WriteMaxMRUCount(30);
  ASSERT_EQ(config->mWrites.size(), 1u);
  EXPECT_TRUE(config->mWrites[0].mKey.EndsWith("MaxMRUCount"));
  EXPECT_EQ(config->mWrites[0].mValue, 30);
  EXPECT_EQ(config->mWrites[0].mCountInForce, 20);
  EXPECT_EQ(WTallyworthApp::sMaxMRUCount, 30);

  config->mWrites.clear();
  WTallyworthApp::sWarnBeforeClearingMergedFilesFlag = false;
  WTallyworthApp::Get().WriteClearAfterMergeFlags(false);
  ASSERT_EQ(config->mWrites.size(), 3u);
  EXPECT_TRUE(config->mWrites[0].mKey.EndsWith("/ClearFilesAfterMerging"));
  EXPECT_TRUE(config->mWrites[1].mKey.EndsWith("/WarnBeforeClearingMergedFiles"));
  EXPECT_TRUE(config->mWrites[2].mKey.EndsWith("/SaveBeforeClearingMergedFiles"));
  EXPECT_EQ(config->mWrites[0].mValue, 0);
  EXPECT_EQ(config->mWrites[1].mValue, 0); // the current warn flag, kept
  EXPECT_EQ(config->mWrites[2].mValue, 1); // the current save flag, kept
  for (const auto & write : config->mWrites)
    EXPECT_TRUE(write.mClearInForce) << "the flag changed before all three were written";
  EXPECT_FALSE(WTallyworthApp::sClearFilesAfterMergingFlag);
  EXPECT_FALSE(WTallyworthApp::sWarnBeforeClearingMergedFilesFlag);
  EXPECT_TRUE(WTallyworthApp::sSaveBeforeClearingMergedFilesFlag);

  wxConfigBase::Set(previous);
  delete config;
}

TEST(WTallyworthApp, OpeningAFileThatDoesNotExistIsRefusedWithAMessage) {
  guitest::CloseAllDocuments();
  guitest::PromptScript prompts;
  testsupport::TempDir folder;
  const std::string missing = folder.file("gone.txt");
  prompts.AnswerMessage(wxOK);
  EXPECT_EQ(WTallyworthApp::Get().OpenDocumentFile(wxString::FromUTF8(missing)), nullptr);
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0], "The open operation failed: The file " + missing + " does not exist on disk.");
  EXPECT_TRUE(prompts.MessageStyles()[0] & wxICON_EXCLAMATION);
  EXPECT_TRUE(prompts.MessageStyles()[0] & wxOK);
  EXPECT_TRUE(guitest::Documents().empty());
  EXPECT_FALSE(wxFileName::FileExists(wxString::FromUTF8(missing))) << "refusing must not create the file";
}

TEST(WTallyworthApp, EditItemsAreAlwaysDisabledAndMenuPromptsNeverShow) {
  guitest::CloseAllDocuments();
  for (int id : {wxID_UNDO, wxID_CUT, wxID_COPY, wxID_PASTE, wxID_DELETE})
    EXPECT_FALSE(guitest::IsCommandEnabled(id)) << id;
  EXPECT_TRUE(guitest::IsCommandEnabled(wxID_NEW));
  EXPECT_TRUE(guitest::IsCommandEnabled(wxID_OPEN));

  guitest::Command(wxID_NEW);
  ASSERT_EQ(guitest::Documents().size(), 1u);
  for (int id : {wxID_UNDO, wxID_CUT, wxID_COPY, wxID_PASTE, wxID_DELETE})
    EXPECT_FALSE(guitest::IsCommandEnabled(id)) << id;
  for (int id : {int(wxID_SAVE), int(wxID_SAVEAS), int(wxID_CLOSE), WCommandIds::eFileMerge, WCommandIds::eClearTimeSheet})
    EXPECT_TRUE(guitest::IsCommandEnabled(id)) << id;

  // No window list and no prompts in the status bar.
  EXPECT_EQ(guitest::MainWindow().GetWindowMenu(), nullptr);
  EXPECT_EQ(guitest::MainWindow().GetStatusBarPane(), -1);
  ASSERT_NE(guitest::MainWindow().GetStatusBar(), nullptr);
  wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, wxID_OPEN);
  guitest::MainWindow().ProcessWindowEvent(highlight);
  EXPECT_TRUE(guitest::MainWindow().GetStatusBar()->GetStatusText().empty());
  guitest::CloseAllDocuments();
}
