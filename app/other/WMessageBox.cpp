// The one road by which the program shows a message box.
#include "other/WMessageBox.h"

#include <utility>

#include <wx/msgdlg.h>

#include "resources/WStringTable.h"

WMessageBox::Runner WMessageBox::sRunner;

int WMessageBox::Show(const wxString & inText, long inStyle, wxWindow * inParent) {
  const wxString caption = WStringTable::Get(WStringTable::eAppTitle);
  if (sRunner)
    return sRunner(inText, caption, inStyle);
  return wxMessageBox(inText, caption, inStyle | wxCENTRE, inParent);
}

WMessageBox::Runner WMessageBox::SetRunner(Runner inRunner) {
  return std::exchange(sRunner, std::move(inRunner));
}
