// The program's file dialog.
#include "dialogs/WFileDialog.h"

#include <utility>

#include <wx/filedlg.h>
#include <wx/filename.h>

WFileDialog::Runner WFileDialog::sRunner;

WFileDialog::WFileDialog(bool inOpenFileDialog, const wxString & inDefExt, const wxString & inFileName,
                         long inFlags, const wxString & inFilter, wxWindow * inParent)
    : mOpenFileDialog(inOpenFileDialog), mDefExt(inDefExt), mFileName(inFileName),
      mFlags((inOpenFileDialog ? wxFD_OPEN : wxFD_SAVE) | inFlags), mFilter(inFilter),
      mParent(inParent) {}

WFileDialog::~WFileDialog() = default;

WFileDialog::Runner WFileDialog::SetRunner(Runner inRunner) {
  return std::exchange(sRunner, std::move(inRunner));
}

int WFileDialog::ShowModal() {
  mPaths.clear();
  int result = wxID_CANCEL;
  if (sRunner) {
    result = sRunner(*this);
  } else {
    wxFileDialog dialog(mParent, mTitle, wxString(), mFileName, mFilter, mFlags);
    CustomizeDialog(dialog);
    dialog.CentreOnParent();
    result = dialog.ShowModal();
    if (result == wxID_OK) {
      wxArrayString paths;
      if (mFlags & wxFD_MULTIPLE)
        dialog.GetPaths(paths);
      else
        paths.Add(dialog.GetPath());
      for (const wxString & path : paths)
        mPaths.push_back(path);
    }
  }
  if (result != wxID_OK || mPaths.empty()) {
    mPaths.clear();
    return wxID_CANCEL;
  }
  if (!mOpenFileDialog && !mDefExt.empty()) {
    for (wxString & path : mPaths) {
      if (!wxFileName(path).HasExt())
        path += "." + mDefExt;
    }
  }
  OnFileNameOK();
  return wxID_OK;
}
