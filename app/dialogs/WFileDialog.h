// The program's file dialog: an open dialog (several files may be chosen) or a save
// dialog, shown through one seam so that tests can choose the files.
#pragma once

#include <functional>
#include <vector>

#include <wx/string.h>

class wxFileDialog;
class wxWindow;

class WFileDialog {
public:
  /// Plays the user's part: sets the chosen paths (SetPaths) and returns wxID_OK, or
  /// returns wxID_CANCEL.
  using Runner = std::function<int(WFileDialog & inDialog)>;

  /// An open (inOpenFileDialog) or save dialog. inDefExt is appended, after a dot, to a
  /// saved name without extension; inFileName is the name it starts with; inFlags are wx
  /// file dialog styles added to the kind's own; inFilter is "name|pattern|name|pattern".
  WFileDialog(bool inOpenFileDialog, const wxString & inDefExt, const wxString & inFileName,
              long inFlags, const wxString & inFilter, wxWindow * inParent);
  virtual ~WFileDialog();
  WFileDialog(const WFileDialog &) = delete;
  WFileDialog & operator=(const WFileDialog &) = delete;

  void SetTitle(const wxString & inTitle) { mTitle = inTitle; }
  const wxString & GetTitle() const { return mTitle; }
  bool IsOpenFileDialog() const { return mOpenFileDialog; }
  /// The wx file dialog styles in force.
  long GetFlags() const { return mFlags; }
  const wxString & GetFilter() const { return mFilter; }
  const wxString & GetDefaultExtension() const { return mDefExt; }
  const wxString & GetFileName() const { return mFileName; }

  /// Shows the dialog; wxID_OK when the user chose files, wxID_CANCEL otherwise.
  int ShowModal();
  /// The chosen full paths in the dialog's order (after wxID_OK).
  const std::vector<wxString> & GetPaths() const { return mPaths; }
  /// Sets the chosen paths (for a runner).
  void SetPaths(std::vector<wxString> inPaths) { mPaths = std::move(inPaths); }

  /// Installs inRunner in place of the system dialog (empty: the system dialog again);
  /// returns the runner installed before.
  static Runner SetRunner(Runner inRunner);

protected:
  /// Adds controls of a derived dialog to the system dialog before it is shown.
  virtual void CustomizeDialog(wxFileDialog &) {}
  /// The user accepted the selection (before the dialog returns wxID_OK).
  virtual void OnFileNameOK() {}

private:
  bool mOpenFileDialog;
  wxString mDefExt;
  wxString mFileName;
  long mFlags;
  wxString mFilter;
  wxWindow * mParent; // not owned
  wxString mTitle;
  std::vector<wxString> mPaths;

  static Runner sRunner;
};
