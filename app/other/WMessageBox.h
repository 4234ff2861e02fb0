// The one road by which the program shows a message box. Tests replace the runner to
// read the text and give the answer without a modal window.
#pragma once

#include <functional>

#include <wx/string.h>

class wxWindow;

class WMessageBox {
public:
  /// Shows inText with the program's title; inStyle as for wxMessageBox (buttons and
  /// icon). Returns wxOK, wxYES, wxNO or wxCANCEL.
  using Runner = std::function<int(const wxString & inText, const wxString & inCaption, long inStyle)>;

  /// Shows the message box (through the installed runner, if any).
  static int Show(const wxString & inText, long inStyle, wxWindow * inParent = nullptr);

  /// Installs inRunner in place of the real message box (empty: the real one again);
  /// returns the runner that was installed before.
  static Runner SetRunner(Runner inRunner);

private:
  static Runner sRunner;
};
