// Edit > Preferences: the size of the recent-file list and the two questions asked before
// merged time sheets are cleared.
#pragma once

#include <wx/dialog.h>

class wxCheckBox;
class wxChoice;

class WPreferencesDialog : public wxDialog {
public:
  /// The dialog over inParent (null: no parent), showing the current preferences.
  explicit WPreferencesDialog(wxWindow * inParent);

  /// Runs the dialog modally (through WModalRunner) and returns the id it ended with.
  int DoModal();

  /// The entries of the recent-count list, in order.
  static constexpr int sCounts[] = {10, 20, 30, 40, 50};
  /// The entry shown for a stored count: the first at or above it, else the last.
  static int SelectionFor(int inMaxMRUCount);

  wxChoice * GetMRUComboBox() const { return mMRUComboBox; }
  wxCheckBox * GetWarnCheckBox() const { return mWarnCheckBox; }
  wxCheckBox * GetSaveCheckBox() const { return mSaveCheckBox; }

private:
  // Stores the count and the three clearing flags (the clear flag itself unchanged), then
  // ends with OK.
  void OnOK(wxCommandEvent & inEvent);

  wxChoice * mMRUComboBox = nullptr;
  wxCheckBox * mWarnCheckBox = nullptr;
  wxCheckBox * mSaveCheckBox = nullptr;
};
