// The program's file dialog.
#include "dialogs/WFileDialog.h"

#include <utility>

#include <wx/filedlg.h>
#include <wx/filename.h>

#include "files/SFile.h"
#include "other/WMessageBox.h"
#include "other/WPaths.h"

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
  for (;;) {
    if (ShowOnce() != wxID_OK)
      return wxID_CANCEL;
    if (MayReplaceChosenFile())
      break;
    // Back to the dialog, where the user left it.
    const wxFileName chosen(mPaths.front());
    mDirectory = chosen.GetPath();
    mFileName = chosen.GetFullName();
  }
  OnFileNameOK();
  return wxID_OK;
}

int WFileDialog::ShowOnce() {
  mPaths.clear();
  int result = wxID_CANCEL;
  if (sRunner) {
    result = sRunner(*this);
  } else {
    // The toolkit would ask about the name as typed, before the extension is added: the
    // question is asked here instead, about the name that is written.
    wxFileDialog dialog(mParent, mTitle, mDirectory, mFileName, mFilter, mFlags & ~wxFD_OVERWRITE_PROMPT);
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
  return wxID_OK;
}

bool WFileDialog::MayReplaceChosenFile() const {
  if (mOpenFileDialog || (mFlags & wxFD_OVERWRITE_PROMPT) == 0)
    return true;
  const wxString & path = mPaths.front();
  if (!SFile::ExistsOnDisk(WPaths::ToFileSpec(path)))
    return true;
  const wxString question = wxFileName(path).GetFullName() + " already exists.\nDo you want to replace it?";
  return WMessageBox::Show(question, wxYES_NO | wxNO_DEFAULT | wxICON_EXCLAMATION, mParent) == wxYES;
}
