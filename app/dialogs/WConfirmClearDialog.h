// The question before a time sheet is cleared: in its plain form before the Clear Time
// Sheet command empties the open time sheet, in its merge form before merged files are
// emptied.
#pragma once

#include <wx/dialog.h>

class wxButton;
class wxStaticText;

class WConfirmClearDialog : public wxDialog {
public:
  /// The merge form's buttons, which are also its results.
  enum EResult { eSaveAndClear = 16456, eDontClear = 16457, eClear = 16458 };

  /// The dialog's title.
  static const char * Title() { return "Clear Time Sheet Window?"; }

  /// The dialog showing message inId (a string id); the merge form when inMerged.
  /// Results: plain form wxID_OK (Clear) or wxID_CANCEL (Don't Clear, Escape); merge form
  /// eClear, eDontClear, eSaveAndClear, or wxID_CANCEL for Escape.
  WConfirmClearDialog(unsigned inId, bool inMerged, wxWindow * inParent);

  /// Runs the dialog modally (through the program's modal seam) and returns its result.
  int DoModal();

  /// The message shown (without the breaks that fit it to its lines).
  wxString GetMessage() const;
  /// The string id of the message shown.
  unsigned GetMessageId() const { return mID; }
  /// True for the merge form.
  bool IsMergeForm() const { return mMerged; }
  /// Where the warning icon is painted, in client coordinates.
  const wxRect & GetIconRect() const { return mRect; }

private:
  // Makes inButton the default button, visibly so.
  void MakeDefault(wxButton & ioButton);
  void OnPaint(wxPaintEvent & inEvent);
  void OnMergeButton(wxCommandEvent & inEvent);
  void OnCharHook(wxKeyEvent & inEvent);
  void OnClose(wxCloseEvent & inEvent);

  wxRect mRect;
  unsigned mID;
  bool mMerged;
  wxStaticText * mMessage = nullptr;
};
