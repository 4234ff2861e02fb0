// Helpers for the interface tests: the test application, waiting for the event loop, the
// scripted answers to every prompt the program shows, and driving documents.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <wx/string.h>

class wxApp;
class wxDialog;
class wxDocument;
class wxMenu;
class WDocManager;
class WFileDialog;
class WFileSettingsPopup;
class WMainWindow;
class WTimeSheetDocument;
class WTimeSheetWindow;

namespace guitest {

/// The application object the tests run under.
wxApp * CreateTestApp();

/// The folder the program's configuration was created in at start-up.
std::string StartupConfigDir();
/// Sets up the start-up folder and file above; called once before the program starts.
void PrepareStartup();
/// Removes what PrepareStartup made.
void CleanUpStartup();

/// What the program showed right after it started.
struct StartupRecord {
  bool mFrameShown = false;
  wxString mFrameTitle;
  std::size_t mDocumentCount = 0;
  wxString mDocumentTitle;
  bool mDocumentHasStream = true;
  std::size_t mDocumentTaskCount = 0;
  bool mDocumentIsDirty = true;
  std::string mConfigText;
};
/// Records the program's state; called once right after it started.
void RecordStartup();
/// The state recorded at start-up.
const StartupRecord & Startup();

/// Processes pending events until `done` holds or `timeout` passes; true when it held.
bool WaitUntil(const std::function<bool()> & done,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

/// Processes every pending event once, then the idle-time work (delayed deletions).
void Flush();

/// Answers every prompt the program shows (message boxes, file dialogs, its own modal
/// dialogs, the file settings menu) from queues, and records what was shown. A prompt
/// with no answer left fails the test and is cancelled. Restores the real prompts when
/// it goes.
class PromptScript {
public:
  PromptScript();
  ~PromptScript();
  PromptScript(const PromptScript &) = delete;
  PromptScript & operator=(const PromptScript &) = delete;

  /// The next message box returns inAnswer (wxOK, wxYES, wxNO, wxCANCEL).
  void AnswerMessage(int inAnswer) { mMessageAnswers.push_back(inAnswer); }
  /// The next file dialog chooses inPaths (OK) or, when empty, is cancelled.
  void ChooseFiles(std::vector<std::string> inPaths);
  /// The next file dialog is handled by inAnswer.
  void AnswerFileDialog(std::function<int(WFileDialog &)> inAnswer) { mFileAnswers.push_back(std::move(inAnswer)); }
  /// The next modal dialog of the program ends with inResult.
  void AnswerDialog(int inResult);
  /// The next modal dialog of the program is handled by inAnswer.
  void AnswerDialog(std::function<int(wxDialog &)> inAnswer) { mDialogAnswers.push_back(std::move(inAnswer)); }
  /// The next file settings menu is handled by inAnswer.
  void AnswerPopup(std::function<void(WFileSettingsPopup &, wxMenu &)> inAnswer) {
    mPopupAnswers.push_back(std::move(inAnswer));
  }

  /// The texts of the message boxes shown, in order, and their styles.
  const std::vector<wxString> & Messages() const { return mMessages; }
  const std::vector<long> & MessageStyles() const { return mMessageStyles; }
  /// The titles of the file dialogs shown, in order.
  const std::vector<wxString> & FileDialogTitles() const { return mFileDialogTitles; }
  /// The message ids of the clear confirmations shown, in order (0 for other dialogs).
  const std::vector<unsigned> & DialogMessageIds() const { return mDialogMessageIds; }
  /// True when every queued answer was used.
  bool AllAnswersUsed() const;
  /// Forgets what was shown.
  void ClearRecords();

private:
  std::deque<int> mMessageAnswers;
  std::deque<std::function<int(WFileDialog &)>> mFileAnswers;
  std::deque<std::function<int(wxDialog &)>> mDialogAnswers;
  std::deque<std::function<void(WFileSettingsPopup &, wxMenu &)>> mPopupAnswers;
  std::vector<wxString> mMessages;
  std::vector<long> mMessageStyles;
  std::vector<wxString> mFileDialogTitles;
  std::vector<unsigned> mDialogMessageIds;
};

/// The main frame.
WMainWindow & MainWindow();
/// The document manager.
WDocManager & DocManager();
/// The open time sheets, in the order they were opened.
std::vector<WTimeSheetDocument *> Documents();
/// The time sheet whose window is active, or null.
WTimeSheetDocument * ActiveDocument();
/// Closes every time sheet without asking and waits until their windows are gone.
void CloseAllDocuments();
/// Sends menu command inId to the main frame, as choosing it in the menu does.
void Command(int inId);
/// Whether menu command inId is enabled for the active window, asked as the menu does.
bool IsCommandEnabled(int inId);

/// A time sheet line with Windows line break: date, duration, who, job, fee, description.
std::string Line(const std::string & inDate, const std::string & inDuration, const std::string & inWho,
                 const std::string & inJob, const std::string & inFee, const std::string & inDescription);

} // namespace guitest
