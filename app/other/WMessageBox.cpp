// The one road by which the program shows a message box.
#include "other/WMessageBox.h"

#include <utility>

#include <wx/msgdlg.h>
#if !defined(__WXMSW__)
#include <wx/generic/msgdlgg.h>
#endif

#include "resources/WStringTable.h"

WMessageBox::Runner WMessageBox::sRunner;

int WMessageBox::Show(const wxString & inText, long inStyle, wxWindow * inParent) {
  const wxString caption = WStringTable::Get(WStringTable::eAppTitle);
  if (sRunner)
    return sRunner(inText, caption, inStyle);
#if defined(__WXMSW__)
  return wxMessageBox(inText, caption, inStyle | wxCENTRE, inParent);
#else
  // GTK's own message box no longer shows an icon; the program's boxes always do.
  wxGenericMessageDialog dialog(inParent, inText, caption, inStyle | wxCENTRE);
  switch (dialog.ShowModal()) {
  case wxID_YES:
    return wxYES;
  case wxID_NO:
    return wxNO;
  case wxID_CANCEL:
    return wxCANCEL;
  default:
    return wxOK;
  }
#endif
}

WMessageBox::Runner WMessageBox::SetRunner(Runner inRunner) {
  return std::exchange(sRunner, std::move(inRunner));
}
