// The open dialog of the Merge command.
#include "dialogs/WMergeFileDialog.h"

#include <wx/filedlg.h>
#include <wx/filedlgcustomize.h>

#include "application/WTallyworthApp.h"

// Puts the check box into the system dialog and reads it back when the user accepts.
class WMergeFileDialog::SHook : public wxFileDialogCustomizeHook {
public:
  explicit SHook(WMergeFileDialog & inOwner) : mOwner(inOwner) {}

  void AddCustomControls(wxFileDialogCustomize & ioCustomizer) override {
    mCheckBox = ioCustomizer.AddCheckBox(ClearCheckBoxLabel());
    mCheckBox->SetValue(mOwner.IsClearChecked());
  }
  void TransferDataFromCustomControls() override {
    if (mCheckBox != nullptr)
      mOwner.SetClearChecked(mCheckBox->GetValue());
  }

private:
  WMergeFileDialog & mOwner;
  wxFileDialogCheckBox * mCheckBox = nullptr;
};

WMergeFileDialog::WMergeFileDialog(const wxString & inDefExt, const wxString & inFileName, long inFlags,
                                   const wxString & inFilter, wxWindow * inParent)
    : WFileDialog(true, inDefExt, inFileName, inFlags, inFilter, inParent),
      mClearChecked(WTallyworthApp::sClearFilesAfterMergingFlag) {}

WMergeFileDialog::~WMergeFileDialog() = default;

void WMergeFileDialog::CustomizeDialog(wxFileDialog & ioDialog) {
  mHook = std::make_unique<SHook>(*this);
  ioDialog.SetCustomizeHook(*mHook);
}

void WMergeFileDialog::OnFileNameOK() { WTallyworthApp::Get().WriteClearAfterMergeFlags(mClearChecked); }
