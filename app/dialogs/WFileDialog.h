// The program's file dialog: an open dialog (several files may be chosen) or a save
// dialog, shown through one seam so that tests can choose the files. A save dialog adds
// the default extension and then asks before replacing a file, so the name the user
// confirms is the name written.
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
  /// file dialog styles added to the kind's own (wxFD_OVERWRITE_PROMPT: a save dialog asks
  /// before replacing a file); inFilter is "name|pattern|name|pattern".
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
  /// The folder the dialog starts in (empty: the working directory).
  void SetDirectory(const wxString & inDirectory) { mDirectory = inDirectory; }
  const wxString & GetDirectory() const { return mDirectory; }

  /// Shows the dialog; wxID_OK when the user chose files, wxID_CANCEL otherwise. A save
  /// dialog with wxFD_OVERWRITE_PROMPT asks about an existing file under its final name
  /// (extension added); No shows the dialog again.
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
  // Shows the dialog once and fills mPaths (extension added); the dialog's result.
  int ShowOnce();
  // True when the chosen save path is new or the user agreed to replace it.
  bool MayReplaceChosenFile() const;

  bool mOpenFileDialog;
  wxString mDefExt;
  wxString mFileName;
  wxString mDirectory;
  long mFlags;
  wxString mFilter;
  wxWindow * mParent; // not owned
  wxString mTitle;
  std::vector<wxString> mPaths;

  static Runner sRunner;
};
