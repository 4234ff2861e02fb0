// The main frame.
#include "windows/WMainWindow.h"

#include <wx/menu.h>

#include "documents/WDocManager.h"
#include "documents/WTimeSheetDocument.h"
#include "resources/WCommandIds.h"
#include "resources/WMenus.h"
#include "resources/WStringTable.h"
#include "windows/WTimeSheetWindow.h"

wxBEGIN_EVENT_TABLE(WMainWindow, wxDocMDIParentFrame)
  // Commands that no window, view or document handles stay disabled.
  EVT_UPDATE_UI_RANGE(WCommandIds::eFirstProgramCommand, WCommandIds::eLastProgramCommand,
                      WMainWindow::OnUpdateUnhandled)
  EVT_UPDATE_UI(wxID_ABOUT, WMainWindow::OnUpdateUnhandled)
wxEND_EVENT_TABLE()

WMainWindow::WMainWindow(WDocManager * inManager)
    : wxDocMDIParentFrame(inManager, nullptr, wxID_ANY, WStringTable::Get(WStringTable::eAppTitle),
                          wxDefaultPosition, wxSize(900, 640),
                          wxDEFAULT_FRAME_STYLE | wxFRAME_NO_WINDOW_MENU) {
  wxMenuBar * menuBar = WMenus::CreateMenuBar(WMenus::eMainMenu);
  SetMenuBar(menuBar);
  inManager->AddRecentFileMenu(WMenus::FindRecentFileMenu(*menuBar));
  CreateStatusBar(1, wxSTB_DEFAULT_STYLE, wxID_ANY);
  // No menu prompts: the status bar stays empty while menus are browsed.
  SetStatusBarPane(-1);
  // Runs before the framework's own close handler, which it lets run after.
  Bind(wxEVT_CLOSE_WINDOW, &WMainWindow::OnCloseWindow, this);
}

WMainWindow::~WMainWindow() {
  if (WDocManager * manager = GetDocManager()) {
    if (wxMenuBar * menuBar = GetMenuBar())
      manager->RemoveRecentFileMenu(WMenus::FindRecentFileMenu(*menuBar));
  }
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

void WMainWindow::UpdateMinSize() {
  wxMDIChildFrame * child = GetActiveChild();
  auto * window = dynamic_cast<WTimeSheetWindow *>(child);
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
