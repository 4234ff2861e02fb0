// The program's document manager.
#include "documents/WDocManager.h"

#include <algorithm>
#include <memory>

#include <wx/config.h>
#include <wx/filedlg.h>
#include <wx/filehistory.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/mdi.h>
#include <wx/utils.h>

#include "application/WTallyworthApp.h"
#include "dialogs/WFileDialog.h"
#include "dialogs/WMergeFileDialog.h"
#include "documents/WTimeSheetDocTemplate.h"
#include "documents/WTimeSheetDocument.h"
#include "other/WMessageBox.h"
#include "resources/WCommandIds.h"
#include "resources/WMenus.h"
#include "resources/WStringTable.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

namespace {

const char * const kRecentFileGroup = "/Recent File List";

// The program's own list only: the toolkit's version also files every entry with the
// desktop's list of recently used documents, which is rewritten at every change.
class SRecentFileHistory : public wxFileHistory {
public:
  SRecentFileHistory(size_t inMaxFiles, wxWindowID inIdBase) : wxFileHistory(inMaxFiles, inIdBase) {}
  void AddFileToHistory(const wxString & inPath) override { wxFileHistoryBase::AddFileToHistory(inPath); }
};

wxString RecentFileKey(size_t inIndex) { return wxString::Format("%s/File%zu", kRecentFileGroup, inIndex + 1); }

// The text of recent-file entry inIndex.
wxString RecentFileLabel(size_t inIndex, const wxString & inPath) {
  wxString path(inPath);
  path.Replace("&", "&&");
  return wxString::Format("&%zu %s", inIndex + 1, path);
}

} // namespace

wxBEGIN_EVENT_TABLE(WDocManager, wxDocManager)
  EVT_MENU(wxID_NEW, WDocManager::OnFileNewCommand)
  EVT_MENU(wxID_OPEN, WDocManager::OnFileOpenCommand)
  EVT_MENU_RANGE(WCommandIds::eFirstRecentFile, WCommandIds::eLastRecentFile, WDocManager::OnRecentFileCommand)
  EVT_UPDATE_UI_RANGE(WCommandIds::eFirstRecentFile, WCommandIds::eLastRecentFile, WDocManager::OnUpdateRecentFile)
  EVT_UPDATE_UI(wxID_UNDO, WDocManager::OnUpdateAlwaysDisabled)
  EVT_UPDATE_UI(wxID_REDO, WDocManager::OnUpdateAlwaysDisabled)
  EVT_UPDATE_UI(wxID_CUT, WDocManager::OnUpdateAlwaysDisabled)
  EVT_UPDATE_UI(wxID_COPY, WDocManager::OnUpdateAlwaysDisabled)
  EVT_UPDATE_UI(wxID_PASTE, WDocManager::OnUpdateAlwaysDisabled)
  EVT_UPDATE_UI(wxID_DELETE, WDocManager::OnUpdateAlwaysDisabled)
  EVT_UPDATE_UI(wxID_SAVE, WDocManager::OnUpdateIfDocument)
  EVT_MENU(wxID_ABOUT, WDocManager::OnAboutCommand)
  EVT_MENU(WCommandIds::eDoPreferences, WDocManager::OnPreferencesCommand)
  EVT_UPDATE_UI(wxID_ABOUT, WDocManager::OnUpdateAlwaysEnabled)
  EVT_UPDATE_UI(WCommandIds::eDoPreferences, WDocManager::OnUpdateAlwaysEnabled)
wxEND_EVENT_TABLE()

WDocManager::WDocManager() : wxDocManager(0, false) {}

WDocManager::~WDocManager() = default;

wxFileHistory * WDocManager::OnCreateFileHistory() {
  const int count = std::clamp(WTallyworthApp::sMaxMRUCount, 0, static_cast<int>(WCommandIds::eMaxRecentFiles));
  return new SRecentFileHistory(static_cast<size_t>(count), WCommandIds::eFirstRecentFile);
}

size_t WDocManager::GetMaxRecentFiles() const {
  return GetFileHistory() != nullptr ? static_cast<size_t>(GetFileHistory()->GetMaxFiles()) : 0;
}

wxString WDocManager::MakeNewDocumentName() {
  return wxString::Format("%s%d", WTimeSheetDocTemplate::kDocumentName, mNewDocumentCounter++);
}

void WDocManager::AddFileToHistory(const wxString & inPath) {
  if (GetMaxRecentFiles() == 0 || inPath.empty())
    return;
  wxDocManager::AddFileToHistory(inPath);
  SaveRecentFiles();
  RefreshRecentFileMenus();
}

void WDocManager::RemoveFileFromHistory(size_t inIndex) {
  if (inIndex >= GetHistoryFilesCount())
    return;
  wxDocManager::RemoveFileFromHistory(inIndex);
  SaveRecentFiles();
  RefreshRecentFileMenus();
}

void WDocManager::StartRecentFileList() {
  delete m_fileHistory;
  m_fileHistory = OnCreateFileHistory();
  LoadRecentFiles();
}

void WDocManager::LoadRecentFiles() {
  wxFileHistory * history = GetFileHistory();
  wxConfigBase * config = WTallyworthApp::GetConfig();
  if (history == nullptr || config == nullptr) {
    RefreshRecentFileMenus();
    return;
  }
  std::vector<wxString> paths;
  wxString path;
  while (paths.size() < GetMaxRecentFiles() && config->Read(RecentFileKey(paths.size()), &path) && !path.empty())
    paths.push_back(path);
  // The first entry is the newest: add from the oldest.
  for (auto entry = paths.rbegin(); entry != paths.rend(); ++entry)
    history->AddFileToHistory(*entry);
  RefreshRecentFileMenus();
}

void WDocManager::SaveRecentFiles() {
  wxConfigBase * config = WTallyworthApp::GetConfig();
  if (config == nullptr)
    return;
  wxLogNull quiet; // a list that cannot be stored is kept for this session only
  config->DeleteGroup(kRecentFileGroup);
  for (size_t i = 0; i < GetHistoryFilesCount(); ++i)
    config->Write(RecentFileKey(i), GetHistoryFile(i));
  config->Flush();
}

void WDocManager::AddRecentFileMenu(wxMenu * inMenu) {
  if (inMenu == nullptr || std::find(mRecentFileMenus.begin(), mRecentFileMenus.end(), inMenu) != mRecentFileMenus.end())
    return;
  mRecentFileMenus.push_back(inMenu);
  RefreshRecentFileMenus();
}

void WDocManager::RemoveRecentFileMenu(wxMenu * inMenu) {
  mRecentFileMenus.erase(std::remove(mRecentFileMenus.begin(), mRecentFileMenus.end(), inMenu),
                         mRecentFileMenus.end());
}

void WDocManager::RefreshRecentFileMenus() {
  const size_t count = GetHistoryFilesCount();
  for (wxMenu * menu : mRecentFileMenus) {
    // Items are changed in place: rebuilding a menu is slow with some toolkits.
    const size_t wanted = count == 0 ? 1 : count;
    while (menu->GetMenuItemCount() > wanted)
      menu->Destroy(menu->FindItemByPosition(menu->GetMenuItemCount() - 1));
    for (size_t i = 0; i < wanted; ++i) {
      const int id = WCommandIds::eFirstRecentFile + static_cast<int>(i);
      // The placeholder, greyed out while the list is empty or switched off.
      const wxString label = count == 0 ? wxString(WMenus::RecentFilesPlaceholder()) : RecentFileLabel(i, GetHistoryFile(i));
      if (i < menu->GetMenuItemCount()) {
        wxMenuItem * item = menu->FindItemByPosition(i);
        if (item->GetItemLabel() != label)
          item->SetItemLabel(label);
      } else {
        menu->Append(id, label);
      }
      menu->Enable(id, count != 0);
    }
  }
}

void WDocManager::ActivateView(wxView * inView, bool inActivate) {
  wxDocManager::ActivateView(inView, inActivate);
  if (WTallyworthApp::gMainWindow != nullptr)
    WTallyworthApp::gMainWindow->UpdateTitle();
}

wxDocument * WDocManager::CreateNewTimeSheet() {
  if (GetTemplates().IsEmpty()) {
    WMessageBox::Show(WStringTable::Get(WStringTable::eFailedToCreateDocument), wxOK | wxICON_EXCLAMATION);
    return nullptr;
  }
  auto * docTemplate = static_cast<wxDocTemplate *>(GetTemplates().GetFirst()->GetData());
  wxDocument * document = docTemplate->CreateDocument(wxString(), wxDOC_NEW);
  if (document == nullptr)
    return nullptr;
  document->SetDocumentName(docTemplate->GetDocumentName());
  if (!document->OnNewDocument()) {
    document->DeleteAllViews();
    return nullptr;
  }
  document->Activate();
  if (auto * window = dynamic_cast<WTimeSheetWindow *>(document->GetDocumentWindow()))
    window->Activate();
  return document;
}

wxDocument * WDocManager::OpenDocumentFile(const wxString & inPath) {
  if (wxDocument * open = FindDocumentByPath(inPath)) {
    open->Activate();
    if (auto * window = dynamic_cast<WTimeSheetWindow *>(open->GetDocumentWindow()))
      window->Activate();
    AddFileToHistory(inPath);
    return open;
  }
  if (GetTemplates().IsEmpty())
    return nullptr;
  auto * docTemplate = static_cast<wxDocTemplate *>(GetTemplates().GetFirst()->GetData());
  wxDocument * document = docTemplate->CreateDocument(inPath, 0);
  if (document == nullptr)
    return nullptr;
  document->SetDocumentName(docTemplate->GetDocumentName());
  if (!document->OnOpenDocument(inPath)) {
    document->Modify(false);
    document->DeleteAllViews();
    return nullptr;
  }
  AddFileToHistory(inPath);
  document->Activate();
  if (auto * window = dynamic_cast<WTimeSheetWindow *>(document->GetDocumentWindow()))
    window->Activate();
  return document;
}

void WDocManager::OpenRecentFile(size_t inIndex) {
  if (inIndex >= GetHistoryFilesCount())
    return;
  const wxString path = GetHistoryFile(inIndex);
  if (WTallyworthApp::Get().OpenDocumentFile(path) == nullptr) {
    // The entry may have moved meanwhile: remove it where it is now.
    for (size_t i = 0; i < GetHistoryFilesCount(); ++i) {
      if (GetHistoryFile(i) == path) {
        RemoveFileFromHistory(i);
        break;
      }
    }
  }
}

bool WDocManager::DoPromptFileName(std::vector<wxString> & outPaths, unsigned inTitleId, long inFlags,
                                   bool inOpenFileDialog, wxDocTemplate * inTemplate,
                                   const wxString & inFileName) {
  outPaths.clear();
  wxString filter;
  wxString defaultExtension;
  for (wxList::compatibility_iterator node = GetTemplates().GetFirst(); node; node = node->GetNext()) {
    auto * docTemplate = static_cast<wxDocTemplate *>(node->GetData());
    if (inTemplate != nullptr && docTemplate != inTemplate)
      continue;
    if (defaultExtension.empty())
      defaultExtension = docTemplate->GetDefaultExtension();
    if (!filter.empty())
      filter += "|";
    filter += docTemplate->GetDescription() + "|" + docTemplate->GetFileFilter();
  }
  if (!filter.empty())
    filter += "|";
#if defined(__WXMSW__)
  filter += WStringTable::Get(WStringTable::eAllFilesFilter) + "|*.*";
#else
  // "*.*" would leave out files without a dot here.
  filter += WStringTable::Get(WStringTable::eAllFilesFilter) + "|*";
#endif

  std::unique_ptr<WFileDialog> dialog;
  {
    wxBusyCursor wait;
    wxWindow * parent = WTallyworthApp::gMainWindow;
    // A full path starts the dialog in its folder; a bare name in the folder used last.
    const wxFileName start(inFileName);
    const wxString name = start.IsAbsolute() ? start.GetFullName() : inFileName;
    if (inTitleId == WStringTable::eMergeTitle)
      dialog = std::make_unique<WMergeFileDialog>(wxString(), name, inFlags, filter, parent);
    else
      dialog = std::make_unique<WFileDialog>(inOpenFileDialog, defaultExtension, name, inFlags, filter, parent);
    dialog->SetTitle(WStringTable::Get(inTitleId));
    dialog->SetDirectory(start.IsAbsolute() ? start.GetPath() : GetLastFolder());
  }
  if (dialog->ShowModal() != wxID_OK)
    return false;
  outPaths = dialog->GetPaths();
  if (!outPaths.empty())
    mLastFolder = wxFileName(outPaths.front()).GetPath();
  return !outPaths.empty();
}

wxString WDocManager::GetLastFolder() const {
  if (!mLastFolder.empty())
    return mLastFolder;
  // At first, the folder of the newest recent file.
  return GetHistoryFilesCount() > 0 ? wxFileName(GetHistoryFile(0)).GetPath() : wxString();
}

bool WDocManager::SaveAllModified() {
  std::vector<WTimeSheetDocument *> discarded;
  for (wxList::compatibility_iterator node = GetDocuments().GetFirst(); node; node = node->GetNext()) {
    auto * document = dynamic_cast<WTimeSheetDocument *>(static_cast<wxDocument *>(node->GetData()));
    if (document == nullptr || !document->IsModified())
      continue;
    switch (document->AskToSaveChanges()) {
    case WTimeSheetDocument::eSaved:
      break;
    case WTimeSheetDocument::eDiscard:
      discarded.push_back(document);
      break;
    case WTimeSheetDocument::eCancel:
      return false;
    }
  }
  // Everyone answered: the changes the user gave up on are not asked about again.
  for (WTimeSheetDocument * document : discarded)
    document->Modify(false);
  return true;
}

void WDocManager::OnFileNewCommand(wxCommandEvent &) { CreateNewTimeSheet(); }

void WDocManager::OnFileOpenCommand(wxCommandEvent &) {
  std::vector<wxString> paths;
  if (!DoPromptFileName(paths, WStringTable::eOpenTitle, wxFD_FILE_MUST_EXIST | wxFD_MULTIPLE, true, nullptr))
    return;
  for (const wxString & path : paths)
    WTallyworthApp::Get().OpenDocumentFile(path);
}

void WDocManager::OnAboutCommand(wxCommandEvent &) { WTallyworthApp::Get().DoAbout(); }

void WDocManager::OnPreferencesCommand(wxCommandEvent &) { WTallyworthApp::Get().DoPreferences(); }

void WDocManager::OnUpdateAlwaysEnabled(wxUpdateUIEvent & inEvent) { inEvent.Enable(true); }

void WDocManager::OnRecentFileCommand(wxCommandEvent & inEvent) {
  OpenRecentFile(static_cast<size_t>(inEvent.GetId() - WCommandIds::eFirstRecentFile));
}

void WDocManager::OnUpdateRecentFile(wxUpdateUIEvent & inEvent) {
  inEvent.Enable(static_cast<size_t>(inEvent.GetId() - WCommandIds::eFirstRecentFile) < GetHistoryFilesCount());
}

void WDocManager::OnUpdateAlwaysDisabled(wxUpdateUIEvent & inEvent) { inEvent.Enable(false); }

void WDocManager::OnUpdateIfDocument(wxUpdateUIEvent & inEvent) { inEvent.Enable(GetCurrentDocument() != nullptr); }
