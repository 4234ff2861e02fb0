// Drives the filter dialog's controls as a user does: each change sends the event the
// control itself would send.
#pragma once

#include <cstdint>
#include <string>

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include "dialogs/WFilterDialog.h"

namespace filtertest {

struct Driver {
  WFilterDialog & mDialog;

  wxChoice & List(int inRow, WFilterDialog::EControl inControl) const {
    return *mDialog.Control<wxChoice>(WFilterDialog::ControlId(inRow, inControl));
  }
  wxTextCtrl & Box(int inId) const { return *mDialog.Control<wxTextCtrl>(inId); }
  std::string Expression() const { return Box(WFilterDialog::eExpressionBoxId).GetValue().utf8_string(); }
  /// Selects the entry with item data inData in a list of row inRow.
  void Select(int inRow, WFilterDialog::EControl inControl, int inData) {
    wxChoice & list = List(inRow, inControl);
    for (unsigned item = 0; item < list.GetCount(); ++item)
      if (reinterpret_cast<std::intptr_t>(list.GetClientData(item)) == inData) {
        list.SetSelection(static_cast<int>(item));
        return Send(list, wxEVT_CHOICE);
      }
    ADD_FAILURE() << "no item " << inData << " in row " << inRow;
  }
  /// Types inText into row inRow's value box.
  void Type(int inRow, const std::string & inText) {
    Box(WFilterDialog::ControlId(inRow, WFilterDialog::eValueBox)).SetValue(wxString::FromUTF8(inText));
  }
  void Check(int inId, bool inChecked) {
    mDialog.Control<wxCheckBox>(inId)->SetValue(inChecked);
    Send(*mDialog.FindWindow(inId), wxEVT_CHECKBOX);
  }
  void Click(int inId) { Send(*mDialog.FindWindow(inId), wxEVT_BUTTON); }
  static void Send(wxWindow & inControl, wxEventType inType) {
    wxCommandEvent event(inType, inControl.GetId());
    event.SetEventObject(&inControl);
    inControl.GetEventHandler()->ProcessEvent(event);
  }
};

} // namespace filtertest
