// The preferences dialog, laid out in dialog units.
#include "dialogs/WPreferencesDialog.h"

#include <iterator>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "application/WTallyworthApp.h"
#include "other/WModalRunner.h"

namespace {

enum { eMRUList = 16481, eWarnBox = 16482, eSaveBox = 16483 };

} // namespace

WPreferencesDialog::WPreferencesDialog(wxWindow * inParent)
    : wxDialog(inParent, wxID_ANY, "Tallyworth Preferences") {
  const auto units = [this](int inX, int inY) { return ConvertDialogToPixels(wxPoint(inX, inY)); };
  const auto extent = [this](int inWidth, int inHeight) { return ConvertDialogToPixels(wxSize(inWidth, inHeight)); };
  // The recent-file group is one line taller than the first drawing: it says when a new
  // count takes effect.
  constexpr int kNote = 10;
  SetClientSize(extent(224, 108 + kNote));

  new wxStaticBox(this, wxID_ANY, wxEmptyString, units(8, 8), extent(208, 24 + kNote));
  new wxStaticText(this, wxID_ANY, "Number of recent time sheets to remember:", units(14, 16), extent(160, 8));
  mMRUComboBox = new wxChoice(this, eMRUList, units(180, 14), extent(30, 13));
  for (int count : sCounts)
    mMRUComboBox->Append(wxString::Format("%d", count), reinterpret_cast<void *>(static_cast<wxIntPtr>(count)));
  mMRUComboBox->SetSelection(SelectionFor(WTallyworthApp::sMaxMRUCount));
  new wxStaticText(this, wxID_ANY, "A new number takes effect when Tallyworth next starts.", units(14, 30),
                   extent(196, 8));

  new wxStaticBox(this, wxID_ANY, wxEmptyString, units(8, 40 + kNote), extent(208, 38));
  mWarnCheckBox = new wxCheckBox(this, eWarnBox, " Warn before clearing merged time sheets", units(14, 48 + kNote),
                                 extent(192, 10));
  mWarnCheckBox->SetValue(WTallyworthApp::sWarnBeforeClearingMergedFilesFlag);
  mSaveCheckBox = new wxCheckBox(this, eSaveBox, " Save before clearing merged time sheets", units(14, 62 + kNote),
                                 extent(192, 10));
  mSaveCheckBox->SetValue(WTallyworthApp::sSaveBeforeClearingMergedFilesFlag);

  new wxButton(this, wxID_CANCEL, "Cancel", units(108, 86 + kNote), extent(50, 14));
  auto * ok = new wxButton(this, wxID_OK, "OK", units(166, 86 + kNote), extent(50, 14));
  ok->SetDefault();
  SetDefaultItem(ok);
  mMRUComboBox->SetFocus();
  Bind(wxEVT_BUTTON, &WPreferencesDialog::OnOK, this, wxID_OK);
  CentreOnScreen();
}

int WPreferencesDialog::DoModal() { return WModalRunner::Run(*this); }

int WPreferencesDialog::SelectionFor(int inMaxMRUCount) {
  for (int i = 0; i < static_cast<int>(std::size(sCounts)); ++i)
    if (sCounts[i] >= inMaxMRUCount)
      return i;
  return static_cast<int>(std::size(sCounts)) - 1;
}

void WPreferencesDialog::OnOK(wxCommandEvent &) {
  const int selection = mMRUComboBox->GetSelection();
  const int count = sCounts[selection >= 0 ? selection : SelectionFor(WTallyworthApp::sMaxMRUCount)];
  WTallyworthApp & app = WTallyworthApp::Get();
  app.WriteMaxMRUCount(count);
  app.WriteClearAfterMergeFlags(WTallyworthApp::sClearFilesAfterMergingFlag, mWarnCheckBox->GetValue(),
                                mSaveCheckBox->GetValue());
  if (IsModal())
    EndModal(wxID_OK);
  else
    SetReturnCode(wxID_OK);
}
