// The open dialog of the Merge command, with the check box that says whether merged
// files are cleared afterwards. The box's state becomes the preference when the user
// accepts the selection.
#pragma once

#include <memory>

#include "dialogs/WFileDialog.h"

class WMergeFileDialog : public WFileDialog {
public:
  /// The check box's caption.
  static const char * ClearCheckBoxLabel() { return " Clear time sheets after merging"; }

  /// Always an open dialog; the check box starts in the state of the preference.
  WMergeFileDialog(const wxString & inDefExt, const wxString & inFileName, long inFlags,
                   const wxString & inFilter, wxWindow * inParent);
  ~WMergeFileDialog() override;

  /// The check box's state.
  bool IsClearChecked() const { return mClearChecked; }
  /// Sets the check box (as the user does).
  void SetClearChecked(bool inChecked) { mClearChecked = inChecked; }

protected:
  void CustomizeDialog(wxFileDialog & ioDialog) override;
  /// Stores the check box's state in the preference.
  void OnFileNameOK() override;

private:
  class SHook;

  bool mClearChecked;
  std::unique_ptr<SHook> mHook;
};
