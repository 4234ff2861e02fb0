// The view of one time sheet, for now a plain stand-in.
#include "views/WTimeSheetView.h"

#include <wx/panel.h>
#include <wx/settings.h>

#include "controls/WFileStatusCtrl.h"
#include "documents/WTimeSheetDocument.h"
#include "resources/WCommandIds.h"

wxBEGIN_EVENT_TABLE(WTimeSheetView, wxView)
  EVT_MENU(WCommandIds::eSortByOrderInFile, WTimeSheetView::OnSortByOrderInFile)
  EVT_UPDATE_UI(wxID_PRINT, WTimeSheetView::OnUpdatePrint)
  EVT_UPDATE_UI(wxID_PREVIEW, WTimeSheetView::OnUpdatePrint)
wxEND_EVENT_TABLE()

WTimeSheetView::WTimeSheetView(WTimeSheetDocument & inDocument) : mDocumentData(inDocument) {}

WTimeSheetView::~WTimeSheetView() = default;

bool WTimeSheetView::OnCreate(wxDocument *, long) {
  wxWindow * frame = GetFrame();
  if (frame == nullptr)
    return false;
  mPanel = new wxPanel(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN);
  mPanel->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
  mStatusControl = new WFileStatusCtrl(mDocumentData);
  return mStatusControl->Create(mPanel, wxID_ANY, wxPoint(0, 0), wxSize(20, 20));
}

void WTimeSheetView::OnDraw(wxDC *) {}

void WTimeSheetView::OnSortByOrderInFile(wxCommandEvent &) { ++mSortByOrderInFileCount; }

void WTimeSheetView::OnUpdatePrint(wxUpdateUIEvent & inEvent) { inEvent.Enable(false); }
