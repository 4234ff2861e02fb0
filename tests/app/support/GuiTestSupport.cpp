// Helpers for the interface tests.
#include "support/GuiTestSupport.h"

#include <thread>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>

#include "application/WTallyworthApp.h"
#include "dialogs/WConfirmClearDialog.h"
#include "dialogs/WFileDialog.h"
#include "documents/WDocManager.h"
#include "documents/WTimeSheetDocument.h"
#include "other/WMessageBox.h"
#include "other/WModalRunner.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

namespace guitest {

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
  for (int i = 0; i < 5; ++i)
    wxTheApp->Yield(true), wxTheApp->ProcessIdle();
}

// Takes the first answer of inQueue, or fails the test and gives inNone when there is none.
template <class Queue, class Fallback>
static auto Next(Queue & inQueue, const wxString & inWhat, Fallback inNone) {
  if (inQueue.empty()) {
    ADD_FAILURE() << "unexpected " << inWhat.utf8_string();
    return typename Queue::value_type(inNone);
  }
  auto answer = std::move(inQueue.front());
  inQueue.pop_front();
  return answer;
}

PromptScript::PromptScript() {
  WMessageBox::SetRunner([this](const wxString & inText, const wxString &, long inStyle) {
    mMessages.push_back(inText);
    mMessageStyles.push_back(inStyle);
    return Next(mMessageAnswers, "message box: " + inText, inStyle & wxCANCEL ? wxCANCEL : wxOK);
  });
  const auto cancel = [](auto &) { return static_cast<int>(wxID_CANCEL); };
  WFileDialog::SetRunner([this, cancel](WFileDialog & inDialog) {
    mFileDialogs.push_back(inDialog.GetTitle() + ": " + inDialog.GetDirectory() + "/" + inDialog.GetFileName());
    return Next(mFileAnswers, "file dialog: " + inDialog.GetTitle(), std::function<int(WFileDialog &)>(cancel))(inDialog);
  });
  WModalRunner::SetRunner([this, cancel](wxDialog & inDialog) {
    const auto * confirm = dynamic_cast<const WConfirmClearDialog *>(&inDialog);
    mDialogMessageIds.push_back(confirm != nullptr ? confirm->GetMessageId() : 0);
    return Next(mDialogAnswers, "dialog: " + inDialog.GetTitle(), std::function<int(wxDialog &)>(cancel))(inDialog);
  });
}

PromptScript::~PromptScript() {
  WMessageBox::SetRunner({});
  WFileDialog::SetRunner({});
  WModalRunner::SetRunner({});
}

void PromptScript::ChooseFiles(std::vector<std::string> inPaths) {
  mFileAnswers.push_back([paths = std::move(inPaths)](WFileDialog & inDialog) {
    std::vector<wxString> chosen;
    for (const std::string & path : paths)
      chosen.push_back(wxString::FromUTF8(path));
    inDialog.SetPaths(chosen);
    return static_cast<int>(paths.empty() ? wxID_CANCEL : wxID_OK);
  });
}

WMainWindow & MainWindow() { return *WTallyworthApp::gMainWindow; }

WDocManager & DocManager() { return *WTallyworthApp::Get().GetDocManager(); }

std::vector<WTimeSheetDocument *> Documents() {
  std::vector<WTimeSheetDocument *> documents;
  for (auto node = DocManager().GetDocuments().GetFirst(); node; node = node->GetNext())
    documents.push_back(dynamic_cast<WTimeSheetDocument *>(static_cast<wxDocument *>(node->GetData())));
  return documents;
}

WTimeSheetDocument * ActiveDocument() {
  auto * window = dynamic_cast<WTimeSheetWindow *>(MainWindow().GetActiveChild());
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
