// The Sort By Other and Group By Other dialog.
#include "dialogs/WMultiLevelCompareDialog.h"

#include <array>
#include <cstdint>

#include <wx/button.h>
#include <wx/stattext.h>

#include "controls/WDragListBox.h"
#include "other/WModalRunner.h"

WMultiLevelCompareDialog::WMultiLevelCompareDialog(unsigned inTemplateId, wxWindow * inParent, bool inIsGrouping)
    : wxDialog(inParent, wxID_ANY, inTemplateId == eGroupByOther ? "Group By Other" : "Sort By Other"),
      mIsGrouping(inIsGrouping) {
  const bool grouping = inTemplateId == eGroupByOther;
  // Laid out in dialog units: 186 by 130.
  const auto units = [this](int inX, int inY) { return ConvertDialogToPixels(wxPoint(inX, inY)); };
  const auto extent = [this](int inWidth, int inHeight) { return ConvertDialogToPixels(wxSize(inWidth, inHeight)); };
  SetClientSize(extent(186, 130));

  auto * instruction = new wxStaticText(
      this, wxID_ANY,
      grouping ? "Drag items from the list on the left to the list on the right, in the order in which you "
                 "would like to group."
               : "Drag items from the list on the left to the list on the right, in the order in which you "
                 "would like to sort.",
      units(7, 7), extent(172, 20));
  instruction->Wrap(extent(172, 0).x);

  mDragListBox1 = new WDragListBox;
  mDragListBox2 = new WDragListBox;
  mDragListBox1->Create(this, eLeftList, units(7, 30), extent(84, 74));
  mDragListBox2->Create(this, eRightList, units(95, 30), extent(84, 74));
  mDragListBox1->SetArrangeable(false);
  mDragListBox2->SetArrangeable(true);
  mDragListBox1->SetSignificantOther(mDragListBox2);
  mDragListBox2->SetSignificantOther(mDragListBox1);

  mOKButton = new wxButton(this, wxID_OK, grouping ? "Group" : "Sort", units(75, 110), extent(50, 14));
  new wxButton(this, wxID_CANCEL, "Cancel", units(129, 110), extent(50, 14));
  mOKButton->SetDefault();
  SetAffirmativeId(wxID_OK);
  SetEscapeId(wxID_CANCEL);

  Bind(wxEVT_BUTTON, &WMultiLevelCompareDialog::OnOKButton, this, wxID_OK);
  Bind(wxEVT_LISTBOX, &WMultiLevelCompareDialog::OnListNotification, this);
  Bind(WEVT_DRAG_LIST_CHANGED, &WMultiLevelCompareDialog::OnListNotification, this);
  for (WDragListBox * list : {mDragListBox1, mDragListBox2}) {
    list->Bind(wxEVT_SET_FOCUS, &WMultiLevelCompareDialog::OnListFocus, this);
    list->Bind(wxEVT_KILL_FOCUS, &WMultiLevelCompareDialog::OnListFocus, this);
  }
  OnInitDialog();
}

bool WMultiLevelCompareDialog::OnInitDialog() {
  if (mInitialized)
    return true;
  mInitialized = true;
  const int last = mIsGrouping ? STaskComparator::eDescription : STaskComparator::eOrderInFile;
  for (int code = STaskComparator::eDate; code <= last; ++code)
    mDragListBox1->InsertItem(mDragListBox1->GetCount(), code);
  OnListChanged();
  Centre();
  return true;
}

void WMultiLevelCompareDialog::OnListChanged() {
  if (mOKButton != nullptr && mDragListBox2 != nullptr)
    mOKButton->Enable(mDragListBox2->GetCount() > 0);
}

void WMultiLevelCompareDialog::OnOK() {
  std::array<STaskComparator::EField, 7> codes{};
  std::int16_t levels = 0;
  for (int code : mDragListBox2->Codes()) {
    if (levels == 7)
      break; // more levels than a comparator holds are left out
    codes[static_cast<std::size_t>(levels++)] = static_cast<STaskComparator::EField>(code);
  }
  mComparator = STaskComparator(codes[0], codes[1], codes[2], codes[3], codes[4], codes[5], codes[6], levels);
  SetReturnCode(wxID_OK);
  EndDialog(wxID_OK);
}

int WMultiLevelCompareDialog::DoModal() { return WModalRunner::Run(*this); }

void WMultiLevelCompareDialog::OnOKButton(wxCommandEvent &) {
  // OK is only enabled with a level; a stray press without one keeps the previous choice.
  if (mDragListBox2->GetCount() > 0)
    OnOK();
}

void WMultiLevelCompareDialog::OnListNotification(wxCommandEvent & inEvent) {
  inEvent.Skip();
  OnListChanged();
}

void WMultiLevelCompareDialog::OnListFocus(wxFocusEvent & inEvent) {
  inEvent.Skip();
  OnListChanged();
}
