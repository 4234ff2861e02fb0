// Helpers for the interface tests.
#include "support/GuiTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/mdi.h>

#include "application/WTallyworthApp.h"
#include "controls/WFileSettingsPopup.h"
#include "dialogs/WConfirmClearDialog.h"
#include "dialogs/WFileDialog.h"
#include "documents/WDocManager.h"
#include "documents/WTimeSheetDocument.h"
#include "other/WMessageBox.h"
#include "other/WModalRunner.h"
#include "support/TestSupport.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

namespace guitest {

namespace {

testsupport::TempDir * sStartupDir = nullptr;
StartupRecord sStartup;

#if defined(_WIN32)
// The XDG folders mean nothing there; the test program names its configuration file itself.
int setenv(const char * inName, const char * inValue, int) { return ::_putenv_s(inName, inValue); }
#endif

} // namespace

wxApp * CreateTestApp() { return new WTallyworthApp; }

void PrepareStartup() {
  sStartupDir = new testsupport::TempDir;
  std::filesystem::create_directories(StartupConfigDir());
  setenv("XDG_CONFIG_HOME", StartupConfigDir().c_str(), 1);
  // Whatever the toolkit keeps about the session stays out of the user's home too.
  const std::string data = sStartupDir->file("data");
  std::filesystem::create_directories(data);
  setenv("XDG_DATA_HOME", data.c_str(), 1);
  testsupport::WriteFileBytes(CommandLineFile(), Line("03/02/2026", "1:00", "AB", "100", "1", "ignored"));
}

void CleanUpStartup() {
  delete sStartupDir;
  sStartupDir = nullptr;
}

void RecordStartup() {
  Flush();
  sStartup.mFrameShown = MainWindow().IsShown();
  sStartup.mFrameTitle = MainWindow().GetTitle();
  const std::vector<WTimeSheetDocument *> documents = Documents();
  sStartup.mDocumentCount = documents.size();
  if (!documents.empty()) {
    sStartup.mDocumentTitle = documents.front()->GetUserReadableName();
    sStartup.mDocumentHasStream = documents.front()->GetStream() != nullptr;
    sStartup.mDocumentTaskCount = documents.front()->GetData().size();
    sStartup.mDocumentIsDirty = documents.front()->IsDirty();
  }
  sStartup.mConfigText = testsupport::ReadFileBytes(StartupConfigDir() + "/Tallyworth.conf");
}

const StartupRecord & Startup() { return sStartup; }

std::string StartupConfigDir() { return sStartupDir->file("config"); }

std::string CommandLineFile() { return sStartupDir->file("on-the-command-line.txt"); }

bool WaitUntil(const std::function<bool()> & done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline)
      return false;
    wxTheApp->Yield(true);
    wxTheApp->ProcessIdle();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

void Flush() {
  for (int i = 0; i < 5; ++i) {
    wxTheApp->Yield(true);
    wxTheApp->ProcessIdle();
  }
}

// ---- PromptScript --------------------------------------------------------------------

PromptScript::PromptScript() {
  WMessageBox::SetRunner([this](const wxString & inText, const wxString &, long inStyle) {
    mMessages.push_back(inText);
    mMessageStyles.push_back(inStyle);
    if (mMessageAnswers.empty()) {
      ADD_FAILURE() << "unexpected message box: " << inText.utf8_string();
      return inStyle & wxCANCEL ? wxCANCEL : wxOK;
    }
    const int answer = mMessageAnswers.front();
    mMessageAnswers.pop_front();
    return answer;
  });
  WFileDialog::SetRunner([this](WFileDialog & inDialog) {
    mFileDialogTitles.push_back(inDialog.GetTitle());
    if (mFileAnswers.empty()) {
      ADD_FAILURE() << "unexpected file dialog: " << inDialog.GetTitle().utf8_string();
      return static_cast<int>(wxID_CANCEL);
    }
    auto answer = std::move(mFileAnswers.front());
    mFileAnswers.pop_front();
    return answer(inDialog);
  });
  WModalRunner::SetRunner([this](wxDialog & inDialog) {
    const auto * confirm = dynamic_cast<const WConfirmClearDialog *>(&inDialog);
    mDialogMessageIds.push_back(confirm != nullptr ? confirm->GetMessageId() : 0);
    if (mDialogAnswers.empty()) {
      ADD_FAILURE() << "unexpected dialog: " << inDialog.GetTitle().utf8_string();
      return static_cast<int>(wxID_CANCEL);
    }
    auto answer = std::move(mDialogAnswers.front());
    mDialogAnswers.pop_front();
    return answer(inDialog);
  });
  WFileSettingsPopup::SetPopupRunner([this](WFileSettingsPopup & inPopup, wxMenu & inMenu) {
    if (mPopupAnswers.empty()) {
      ADD_FAILURE() << "unexpected file settings menu";
      return;
    }
    auto answer = std::move(mPopupAnswers.front());
    mPopupAnswers.pop_front();
    answer(inPopup, inMenu);
  });
}

PromptScript::~PromptScript() {
  WMessageBox::SetRunner({});
  WFileDialog::SetRunner({});
  WModalRunner::SetRunner({});
  WFileSettingsPopup::SetPopupRunner({});
}

void PromptScript::ChooseFiles(std::vector<std::string> inPaths) {
  mFileAnswers.push_back([paths = std::move(inPaths)](WFileDialog & inDialog) {
    if (paths.empty())
      return static_cast<int>(wxID_CANCEL);
    std::vector<wxString> chosen;
    for (const std::string & path : paths)
      chosen.push_back(wxString::FromUTF8(path));
    inDialog.SetPaths(chosen);
    return static_cast<int>(wxID_OK);
  });
}

void PromptScript::AnswerDialog(int inResult) {
  mDialogAnswers.push_back([inResult](wxDialog &) { return inResult; });
}

bool PromptScript::AllAnswersUsed() const {
  return mMessageAnswers.empty() && mFileAnswers.empty() && mDialogAnswers.empty() && mPopupAnswers.empty();
}

void PromptScript::ClearRecords() {
  mMessages.clear();
  mMessageStyles.clear();
  mFileDialogTitles.clear();
  mDialogMessageIds.clear();
}

// ---- the program -------------------------------------------------------------------------

WMainWindow & MainWindow() { return *WTallyworthApp::gMainWindow; }

WDocManager & DocManager() { return *WTallyworthApp::Get().GetDocManager(); }

std::vector<WTimeSheetDocument *> Documents() {
  std::vector<WTimeSheetDocument *> documents;
  for (wxList::compatibility_iterator node = DocManager().GetDocuments().GetFirst(); node; node = node->GetNext())
    documents.push_back(dynamic_cast<WTimeSheetDocument *>(static_cast<wxDocument *>(node->GetData())));
  return documents;
}

WTimeSheetDocument * ActiveDocument() {
  wxMDIChildFrame * child = MainWindow().GetActiveChild();
  auto * window = dynamic_cast<WTimeSheetWindow *>(child);
  return window != nullptr ? dynamic_cast<WTimeSheetDocument *>(window->GetDocument()) : nullptr;
}

void CloseAllDocuments() {
  for (WTimeSheetDocument * document : Documents())
    document->Modify(false);
  DocManager().CloseDocuments(true);
  WaitUntil([] { return MainWindow().GetActiveChild() == nullptr && Documents().empty(); });
}

void Command(int inId) {
  wxCommandEvent command(wxEVT_MENU, inId);
  command.SetEventObject(&MainWindow());
  MainWindow().ProcessWindowEvent(command);
}

bool IsCommandEnabled(int inId) {
  wxUpdateUIEvent update(inId);
  update.SetEventObject(&MainWindow());
  MainWindow().ProcessWindowEvent(update);
  return !update.GetSetEnabled() || update.GetEnabled();
}

std::string Line(const std::string & inDate, const std::string & inDuration, const std::string & inWho,
                 const std::string & inJob, const std::string & inFee, const std::string & inDescription) {
  return inDate + "\t" + inDuration + "\t" + inWho + "\t" + inJob + "\t" + inFee + "\t" + inDescription + "\r\n";
}

} // namespace guitest
