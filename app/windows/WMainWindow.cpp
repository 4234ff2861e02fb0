// The main frame.
#include "windows/WMainWindow.h"

#include <vector>

#include <wx/menu.h>

#include "documents/WDocManager.h"
#include "documents/WTimeSheetDocument.h"
#include "resources/WCommandIds.h"
#include "resources/WMenus.h"
#include "resources/WStringTable.h"
#include "windows/WTimeSheetWindow.h"

wxBEGIN_EVENT_TABLE(WMainWindow, WMainWindowBase)
  // Commands that no window, view or document handles stay disabled.
  EVT_UPDATE_UI_RANGE(WCommandIds::eFirstProgramCommand, WCommandIds::eLastProgramCommand,
                      WMainWindow::OnUpdateUnhandled)
  EVT_UPDATE_UI(wxID_ABOUT, WMainWindow::OnUpdateUnhandled)
#if !defined(__WXMSW__)
  // Windows' own frame arranges its windows itself.
  EVT_MENU(wxID_MDI_WINDOW_TILE_HORZ, WMainWindow::OnArrange)
  EVT_MENU(wxID_MDI_WINDOW_TILE_VERT, WMainWindow::OnArrange)
  EVT_MENU(wxID_MDI_WINDOW_CASCADE, WMainWindow::OnArrange)
#endif
  EVT_UPDATE_UI_RANGE(wxID_MDI_WINDOW_FIRST, wxID_MDI_WINDOW_LAST, WMainWindow::OnUpdateArrange)
wxEND_EVENT_TABLE()

WMainWindow::WMainWindow(WDocManager * inManager)
    : WMainWindowBase(inManager, nullptr, wxID_ANY, WStringTable::Get(WStringTable::eAppTitle),
                          wxDefaultPosition, wxSize(900, 640),
                          wxDEFAULT_FRAME_STYLE | wxFRAME_NO_WINDOW_MENU) {
  wxMenuBar * menuBar = WMenus::CreateMenuBar(WMenus::eMainMenu);
  SetMenuBar(menuBar);
  mRecentFileMenu = WMenus::FindRecentFileMenu(*menuBar);
  inManager->AddRecentFileMenu(mRecentFileMenu);
  CreateStatusBar(1, wxSTB_DEFAULT_STYLE, wxID_ANY);
  // No menu prompts: the status bar stays empty while menus are browsed.
  SetStatusBarPane(-1);
  // Runs before the framework's own close handler, which it lets run after.
  Bind(wxEVT_CLOSE_WINDOW, &WMainWindow::OnCloseWindow, this);
}

WMainWindow::~WMainWindow() {
  if (WDocManager * manager = GetDocManager())
    manager->RemoveRecentFileMenu(mRecentFileMenu);
}

WDocManager * WMainWindow::GetDocManager() const { return static_cast<WDocManager *>(GetDocumentManager()); }

void WMainWindow::UpdateTitle() {
  wxString title = WStringTable::Get(WStringTable::eAppTitle);
  if (WDocManager * manager = GetDocManager()) {
    if (auto * document = dynamic_cast<WTimeSheetDocument *>(manager->GetCurrentDocument()))
      title += " - " + document->GetWindowTitle();
  }
  if (GetTitle() != title)
    SetTitle(title);
}

WTimeSheetWindow * WMainWindow::GetActiveTimeSheetWindow() const {
  return dynamic_cast<WTimeSheetWindow *>(GetActiveChild());
}

void WMainWindow::UpdateMinSize() {
  WTimeSheetWindow * window = GetActiveTimeSheetWindow();
  wxWindow * client = GetClientWindow();
  // Only once the window fills the client area (it has been laid out).
  if (window == nullptr || client == nullptr || window->GetSize().x * 2 < client->GetSize().x ||
      window->GetSize().y * 2 < client->GetSize().y)
    return;
  const wxSize around = GetSize() - window->GetSize();
  SetMinSize(WTimeSheetWindow::GetMinTrackSize() + around);
}

void WMainWindow::RequestTitleUpdate() {
  CallAfter([this] { UpdateTitle(); });
}

void WMainWindow::RequestMinSizeUpdate() {
  CallAfter([this] { UpdateMinSize(); });
}

void WMainWindow::OnCloseWindow(wxCloseEvent & inEvent) {
  WDocManager * manager = GetDocManager();
  if (inEvent.CanVeto() && manager != nullptr && !manager->SaveAllModified()) {
    inEvent.Veto();
    return;
  }
  inEvent.Skip();
}

void WMainWindow::OnUpdateUnhandled(wxUpdateUIEvent & inEvent) { inEvent.Enable(false); }

void WMainWindow::OnUpdateArrange(wxUpdateUIEvent & inEvent) {
  inEvent.Enable(GetActiveTimeSheetWindow() != nullptr);
}

void WMainWindow::OnArrange(wxCommandEvent & inEvent) {
  switch (inEvent.GetId()) {
  case wxID_MDI_WINDOW_TILE_HORZ:
    TileTimeSheets(wxHORIZONTAL);
    break;
  case wxID_MDI_WINDOW_TILE_VERT:
    TileTimeSheets(wxVERTICAL);
    break;
  default:
    CascadeTimeSheets();
    break;
  }
}

#if defined(__WXMSW__)

void WMainWindow::TileTimeSheets(wxOrientation inOrientation) { Tile(inOrientation); }

void WMainWindow::CascadeTimeSheets() { Cascade(); }

#else

void WMainWindow::TileTimeSheets(wxOrientation inOrientation) {
  wxAuiMDIClientWindow * tabs = GetClientWindow();
  if (tabs == nullptr || tabs->GetPageCount() < 2)
    return;
  wxWindow * active = tabs->GetCurrentPage();
  CascadeTimeSheets();
  // Each window but the first in a strip of its own, the strips one after the other.
  Freeze();
  const int side = inOrientation == wxVERTICAL ? wxRIGHT : wxBOTTOM;
  for (std::size_t page = 1; page < tabs->GetPageCount(); ++page)
    tabs->Split(page, side);
  const int index = tabs->GetPageIndex(active);
  if (index != wxNOT_FOUND)
    tabs->SetSelection(static_cast<std::size_t>(index));
  Thaw();
  RequestMinSizeUpdate();
}

void WMainWindow::CascadeTimeSheets() {
  wxAuiMDIClientWindow * tabs = GetClientWindow();
  if (tabs == nullptr || tabs->GetPageCount() < 2)
    return;
  wxWindow * active = tabs->GetCurrentPage();
  // Taken out and put back, the pages come together in one strip, in their order.
  std::vector<std::pair<wxWindow *, wxString>> pages;
  for (std::size_t page = 0; page < tabs->GetPageCount(); ++page)
    pages.emplace_back(tabs->GetPage(page), tabs->GetPageText(page));
  Freeze();
  for (std::size_t page = pages.size(); page-- > 1;)
    tabs->RemovePage(page);
  for (std::size_t page = 1; page < pages.size(); ++page)
    tabs->AddPage(pages[page].first, pages[page].second, false);
  const int index = tabs->GetPageIndex(active);
  if (index != wxNOT_FOUND)
    tabs->SetSelection(static_cast<std::size_t>(index));
  Thaw();
  RequestMinSizeUpdate();
}

#endif
