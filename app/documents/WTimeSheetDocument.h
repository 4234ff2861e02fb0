// A time sheet as the framework sees it: a framework document and a core task document
// in one. It opens a time sheet file, saves it, and answers the Merge and Clear Time
// Sheet commands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <vector>

#include <wx/docview.h>

#include "tasks/STaskDocument.h"

class STaskVectorMap;
class WTextEncoding;
class WEditHistory;
class WTimeSheetWindow;

class WTimeSheetDocument : public wxDocument, public STaskDocument {
public:
  /// The answer to the question whether to save changes before a time sheet closes.
  enum ESaveAnswer { eSaved, eDiscard, eCancel };

  WTimeSheetDocument();
  ~WTimeSheetDocument() override;

  /// True when the time sheet has changes that closing it would lose.
  bool IsModified() const override;
  /// The framework marks a document unmodified when it is about to close it without
  /// saving: from then on closing does not ask again. Marking it modified does nothing:
  /// the core tracks changes.
  void Modify(bool inModified) override;
  /// A new, empty, untitled time sheet without a file.
  bool OnNewDocument() override;
  /// Reads the time sheet at inPath (read-only when the file can be read but not
  /// written); a failure is shown and leaves false.
  bool OnOpenDocument(const wxString & inPath) override;
  /// Writes the time sheet to inPath safely (replacing the file whole or not at all); a
  /// failure is shown and leaves false with the document as it was. Refuses the file of
  /// another open time sheet, and a read-only time sheet's own file.
  bool OnSaveDocument(const wxString & inPath) override;
  /// Writes the time sheet to its own file; one without a file, or read-only, is saved as.
  bool Save() override;
  /// Asks for a path and writes the time sheet there; the title and the recent-file list
  /// follow. False when cancelled or failed.
  bool SaveAs() override;
  /// Asks whether to save changes, if there are any: false keeps the time sheet open.
  bool OnSaveModified() override;
  /// Keeps the window's title in step with the document's name.
  void OnChangeFilename(bool inNotifyViews) override;

  /// Asks "Save changes to <title>?" (Yes saves) without closing anything.
  ESaveAnswer AskToSaveChanges();

  /// The core's question after a merged file was read: whether to empty it (decided by
  /// the preferences and, when asked for, by one confirmation for the whole Merge command;
  /// a save that precedes the clear must succeed first).
  bool WantToClearMergeStream(STaskStream * inStream) override;

  /// Appends the time sheets at inPaths, in order, as the Merge command does after its
  /// dialog. A failure is shown and ends the command; a file that no longer exists is
  /// reported and left out.
  void MergeFiles(const std::vector<wxString> & inPaths);

  /// Empties the time sheet (it becomes dirty) and puts its first view back into file
  /// order.
  void ClearTimeSheet();
  /// Shows the plain clear confirmation with message inId; true when the user chose Clear.
  bool AskClearTimeSheet(unsigned inId);

  /// The Filter command for a view whose list shows ioVectorMap in the text encoding
  /// inEncoding: runs the filter dialog and, after "Filter", opens a new, untitled, changed
  /// time sheet with this one's date order and line break, holding a copy of every entry of
  /// the map that the expression accepts, in the map's order. An expression with an error
  /// is told in a notice in the new window. Throws SDocumentException when there is no time
  /// sheet template to make the new time sheet with.
  void OnReportFilter(STaskVectorMap & ioVectorMap, const WTextEncoding & inEncoding);
  /// Makes the document's undo history.
  wxCommandProcessor * OnCreateCommandProcessor() override;
  /// The document's undo history (made on first use for a document made without a template).
  WEditHistory & GetEditHistory();
  /// Selects the entries at the file-order indices inIndices in the view and scrolls to them.
  void ShowEntries(const std::vector<std::uint32_t> & inIndices);

  /// Marks the document dirty; a change made outside the undo history also means that no
  /// undo leads back to the saved state.
  void ListenToInsertMessage(TVectorMessage<STask> inMessage) override;
  void ListenToDeleteMessage(TVectorMessage<STask> inMessage) override;
  void ListenToChangeMessage(TVectorMessage<STask> inMessage) override;

  /// The time sheet window of this document, or null.
  WTimeSheetWindow * GetTimeSheetWindow() const;
  /// The file of the document's stream, or an empty text.
  wxString GetStreamPath() const;

  /// The name in window titles: the document's name, with " (read-only)" when it is.
  wxString GetWindowTitle() const;
  /// When the time sheet is read-only, says so in a message box and returns true.
  bool RefuseChangeIfReadOnly() const;

  /// Shows a failure of the core that ended a command; inPath names the file involved.
  static void ShowFailure(const std::exception & inFailure, const wxString & inPath);

private:
  // How a Merge command's merged files are treated once the first one was read.
  enum EMergeDecision { eUndecided, eKeepFiles, eClearFiles, eSaveAndClearFiles };

  void OnFileMerge(wxCommandEvent & inEvent);
  void OnUpdateAlwaysEnabled(wxUpdateUIEvent & inEvent);
  void OnClearTimeSheet(wxCommandEvent & inEvent);
  // Notes a change of the tasks that the undo history did not make.
  void NoteOutsideChange();

  bool mDiscardChanges = false;
  // The Merge command in progress.
  std::size_t mMergeFileCount = 1;
  EMergeDecision mMergeDecision = eUndecided;
  bool mMergeSaveFailed = false;
  bool mMergeSavedSheet = false; // the merge in progress saved the time sheet

  wxDECLARE_EVENT_TABLE();
};
