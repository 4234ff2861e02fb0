// The undo history of one time sheet: a command processor that also knows which state of
// the time sheet was saved last, so that undoing back to it makes the time sheet clean
// again and moving away from it makes it changed.
#pragma once

#include <wx/cmdproc.h>

class STaskDocument;

class WEditHistory : public wxCommandProcessor {
public:
  /// An empty history of `ioDocument` (not owned; it outlives the history's use).
  explicit WEditHistory(STaskDocument & ioDocument);

  /// Runs `inCommand` and keeps it for undoing; the document's changed state follows.
  bool Submit(wxCommand * inCommand, bool inStoreIt = true) override;
  /// Undoes the last command done; the document's changed state follows.
  bool Undo() override;
  /// Does the last command undone again; the document's changed state follows.
  bool Redo() override;
  /// Forgets every command; the present state counts as saved only if the document is clean.
  void ClearCommands() override;
  /// True when the present state is not the one saved last.
  bool IsDirty() const override;

  /// The document was just saved: its present state is the saved one.
  void MarkSaved();
  /// The tasks changed outside the history: no undo leads back to the saved state.
  void NoteOutsideChange();
  /// True while a command of this history is being done or undone.
  bool IsApplying() const { return mApplying; }

private:
  // Sets the document's changed state from the history.
  void FollowState();

  STaskDocument & mDocument; // not owned
  long mPosition = 0;        // commands done since the history began
  long mSavedPosition = 0;   // the position saved last; -1 when no longer reachable
  bool mApplying = false;
};
