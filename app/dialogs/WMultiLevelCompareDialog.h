// The Sort By Other and Group By Other dialog: the fields not chosen on the left, the
// chosen levels on the right in their order, each with its direction; OK turns the right
// list into a comparator. Made once and kept, so it shows the previous choice again.
#pragma once

#include <wx/dialog.h>

#include "tasks/STaskComparator.h"

class WDragListBox;
class wxButton;
class wxStaticText;

class WMultiLevelCompareDialog : public wxDialog {
public:
  /// The two forms.
  enum ETemplate : unsigned { eSortByOther = 16400, eGroupByOther = 16416 };
  /// Control ids of the two lists.
  enum EControl { eLeftList = 16400, eRightList = 16401 };

  /// The sort form (eSortByOther, OK button "Sort") or the group form (eGroupByOther,
  /// "Group"); without "Order In File" when inIsGrouping. inParent may be null.
  WMultiLevelCompareDialog(unsigned inTemplateId, wxWindow * inParent, bool inIsGrouping);

  /// Fills the lists the first time; later calls change nothing. True.
  bool OnInitDialog();
  /// Enables OK exactly when the right list has an item.
  void OnListChanged();
  /// Takes up to seven levels from the right list as the comparator and ends with wxID_OK.
  void OnOK();
  /// The comparator of the last OK (no vector; no levels before the first OK).
  STaskComparator GetComparator() const { return mComparator; }

  /// Runs the dialog modally through the program's modal seam; returns wxID_OK or wxID_CANCEL.
  int DoModal();

  WDragListBox & LeftList() const { return *mDragListBox1; }
  WDragListBox & RightList() const { return *mDragListBox2; }
  wxButton & OKButton() const { return *mOKButton; }
  bool IsGrouping() const { return mIsGrouping; }

private:
  void OnOKButton(wxCommandEvent & inEvent);
  void OnListNotification(wxCommandEvent & inEvent);
  void OnListFocus(wxFocusEvent & inEvent);

  WDragListBox * mDragListBox1 = nullptr; // a child of the dialog
  WDragListBox * mDragListBox2 = nullptr; // a child of the dialog
  bool mIsGrouping;
  STaskComparator mComparator;
  bool mInitialized = false;
  wxButton * mOKButton = nullptr;
};
