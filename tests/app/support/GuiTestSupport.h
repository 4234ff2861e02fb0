// Helpers for the interface tests: the event loop, scripted prompts, documents and menus.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <wx/string.h>

class wxDialog;
class WDocManager;
class WFileDialog;
class WMainWindow;
class WTimeSheetDocument;

namespace guitest {

/// Processes pending events until `done` holds or `timeout` passes; true when it held.
bool WaitUntil(const std::function<bool()> & done, std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
/// Processes every pending event a few times, then the idle-time work.
void Flush();

/// Answers the program's message boxes, file dialogs and modal dialogs from queues and
/// records what was shown; a prompt with no answer left fails the test and is cancelled.
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
  /// The next modal dialog of the program ends with inResult, or is handled by inAnswer.
  void AnswerDialog(int inResult) { AnswerDialog([inResult](wxDialog &) { return inResult; }); }
  void AnswerDialog(std::function<int(wxDialog &)> inAnswer) { mDialogAnswers.push_back(std::move(inAnswer)); }

  bool AllAnswersUsed() const { return mMessageAnswers.empty() && mFileAnswers.empty() && mDialogAnswers.empty(); }
  void ClearRecords() { mMessages.clear(), mMessageStyles.clear(), mFileDialogs.clear(), mDialogMessageIds.clear(); }

  /// What was shown, in order (file dialogs as "title: folder/file name" at their start, clear
  /// confirmations as their message ids).
  std::vector<wxString> mMessages;
  std::vector<long> mMessageStyles;
  std::vector<wxString> mFileDialogs;
  std::vector<unsigned> mDialogMessageIds;

private:
  std::deque<int> mMessageAnswers;
  std::deque<std::function<int(WFileDialog &)>> mFileAnswers;
  std::deque<std::function<int(wxDialog &)>> mDialogAnswers;
};

WMainWindow & MainWindow();
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
/// A time sheet line with a Windows line break.
std::string Line(const std::string & inDate, const std::string & inDuration, const std::string & inWho,
                 const std::string & inJob, const std::string & inFee, const std::string & inDescription);

} // namespace guitest
