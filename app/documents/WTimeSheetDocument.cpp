// A time sheet as the framework sees it.
#include "documents/WTimeSheetDocument.h"

#include <memory>

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/utils.h>

#include "application/WTallyworthApp.h"
#include "dialogs/WConfirmClearDialog.h"
#include "documents/WDocManager.h"
#include "documents/WEditHistory.h"
#include "documents/SDocumentException.h"
#include "files/SFile.h"
#include "files/SFileException.h"
#include "other/WMessageBox.h"
#include "other/WPaths.h"
#include "resources/WCommandIds.h"
#include "resources/WStringTable.h"
#include "tasks/STaskFileStream.h"
#include "tasks/STaskFileStreamSettings.h"
#include "views/WTimeSheetView.h"
#include "windows/WTimeSheetWindow.h"

wxBEGIN_EVENT_TABLE(WTimeSheetDocument, wxDocument)
  EVT_MENU(WCommandIds::eFileMerge, WTimeSheetDocument::OnFileMerge)
  EVT_UPDATE_UI(WCommandIds::eFileMerge, WTimeSheetDocument::OnUpdateAlwaysEnabled)
  EVT_MENU(WCommandIds::eClearTimeSheet, WTimeSheetDocument::OnClearTimeSheet)
  EVT_UPDATE_UI(WCommandIds::eClearTimeSheet, WTimeSheetDocument::OnUpdateAlwaysEnabled)
wxEND_EVENT_TABLE()

namespace {

// A stream on the time sheet file at inPath; its dates are month, day, year.
std::unique_ptr<STaskFileStream> MakeFileStream(const wxString & inPath) {
  return std::make_unique<STaskFileStream>(STaskFileStreamSettings(WPaths::ToFileSpec(inPath)),
                                           SDateFormat(SDateFormat::eMDY));
}

} // namespace

WTimeSheetDocument::WTimeSheetDocument() = default;

WTimeSheetDocument::~WTimeSheetDocument() = default;

wxCommandProcessor * WTimeSheetDocument::OnCreateCommandProcessor() { return new WEditHistory(*this); }

WEditHistory & WTimeSheetDocument::GetEditHistory() {
  auto * history = dynamic_cast<WEditHistory *>(GetCommandProcessor());
  if (history == nullptr) {
    history = new WEditHistory(*this);
    SetCommandProcessor(history);
  }
  return *history;
}

void WTimeSheetDocument::ShowEntries(const std::vector<std::uint32_t> & inIndices) {
  if (auto * view = dynamic_cast<WTimeSheetView *>(GetFirstView()))
    view->SelectEntries(inIndices);
}

void WTimeSheetDocument::NoteOutsideChange() {
  if (!GetEditHistory().IsApplying())
    GetEditHistory().NoteOutsideChange();
}

void WTimeSheetDocument::ListenToInsertMessage(TVectorMessage<STask> inMessage) {
  STaskDocument::ListenToInsertMessage(inMessage);
  NoteOutsideChange();
}

void WTimeSheetDocument::ListenToDeleteMessage(TVectorMessage<STask> inMessage) {
  STaskDocument::ListenToDeleteMessage(inMessage);
  NoteOutsideChange();
}

void WTimeSheetDocument::ListenToChangeMessage(TVectorMessage<STask> inMessage) {
  STaskDocument::ListenToChangeMessage(inMessage);
  NoteOutsideChange();
}

bool WTimeSheetDocument::IsModified() const { return IsDirty() && !mDiscardChanges; }

void WTimeSheetDocument::Modify(bool inModified) {
  if (!inModified)
    mDiscardChanges = true;
}

bool WTimeSheetDocument::OnNewDocument() {
  wxBusyCursor wait;
  SetDocumentSaved(false);
  SetTitle(GetDocumentManager()->MakeNewDocumentName());
  SetFilename(wxString(), true);
  return true;
}

bool WTimeSheetDocument::OnOpenDocument(const wxString & inPath) {
  wxBusyCursor wait;
  try {
    SetStream(MakeFileStream(inPath));
    Load();
  } catch (const SFileException & failure) {
    ShowFailure(failure, inPath);
    return false;
  } catch (const SDocumentException & failure) {
    ShowFailure(failure, inPath);
    return false;
  }
  GetEditHistory().ClearCommands();
  SetFilename(inPath, true);
  SetDocumentSaved(true);
  UpdateAllViews();
  return true;
}

bool WTimeSheetDocument::OnSaveDocument(const wxString & inPath) {
  if (inPath.empty())
    return false;
  {
    wxBusyCursor wait;
    try {
      STaskDocument::SaveAs(WPaths::ToFileSpec(inPath));
    } catch (const SFileException & failure) {
      ShowFailure(failure, inPath);
      return false;
    } catch (const SDocumentException & failure) {
      ShowFailure(failure, inPath);
      return false;
    }
  }
  mDiscardChanges = false;
  GetEditHistory().MarkSaved();
  SetFilename(inPath, false);
  SetDocumentSaved(true);
  return true;
}

bool WTimeSheetDocument::Save() {
  if (GetStream() == nullptr)
    return SaveAs();
  return OnSaveDocument(GetStreamPath());
}

bool WTimeSheetDocument::SaveAs() {
  auto * manager = static_cast<WDocManager *>(GetDocumentManager());
  std::vector<wxString> paths;
  if (manager == nullptr ||
      !manager->DoPromptFileName(paths, WStringTable::eSaveAsTitle, wxFD_OVERWRITE_PROMPT, false,
                                 GetDocumentTemplate(), GetUserReadableName()))
    return false;
  const wxString path = paths.front();
  if (!OnSaveDocument(path))
    return false;
  SetTitle(wxFileNameFromPath(path));
  SetFilename(path, true);
  manager->AddFileToHistory(path);
  return true;
}

WTimeSheetDocument::ESaveAnswer WTimeSheetDocument::AskToSaveChanges() {
  wxString prompt = WStringTable::Get(WStringTable::eSaveChangesPrompt);
  prompt.Replace("%1", GetUserReadableName());
  switch (WMessageBox::Show(prompt, wxYES_NO | wxCANCEL | wxICON_EXCLAMATION, GetDocumentWindow())) {
  case wxYES:
    return Save() ? eSaved : eCancel;
  case wxNO:
    return eDiscard;
  default:
    return eCancel;
  }
}

bool WTimeSheetDocument::OnSaveModified() {
  if (!IsModified())
    return true;
  switch (AskToSaveChanges()) {
  case eSaved:
    return true;
  case eDiscard:
    mDiscardChanges = true;
    return true;
  case eCancel:
    break;
  }
  return false;
}

void WTimeSheetDocument::OnChangeFilename(bool) {
  if (WTimeSheetWindow * window = GetTimeSheetWindow())
    window->UpdateTitle();
}

WTimeSheetWindow * WTimeSheetDocument::GetTimeSheetWindow() const {
  wxView * view = GetFirstView();
  return view != nullptr ? dynamic_cast<WTimeSheetWindow *>(view->GetFrame()) : nullptr;
}

wxString WTimeSheetDocument::GetStreamPath() const {
  const auto * stream = dynamic_cast<const STaskFileStream *>(GetStream());
  return stream != nullptr ? WPaths::FromFileSpec(stream->Settings().Spec()) : wxString();
}

void WTimeSheetDocument::ShowFailure(const std::exception & inFailure, const wxString & inPath) {
  wxString text = wxString::FromUTF8(inFailure.what());
  if (!text.EndsWith("."))
    text += ".";
  if (!inPath.empty())
    text += "\n\n" + inPath;
  WMessageBox::Show(text, wxOK | wxICON_EXCLAMATION);
}

void WTimeSheetDocument::OnUpdateAlwaysEnabled(wxUpdateUIEvent & inEvent) { inEvent.Enable(true); }

// ---- Merge ---------------------------------------------------------------------------

void WTimeSheetDocument::OnFileMerge(wxCommandEvent &) {
  auto * manager = static_cast<WDocManager *>(GetDocumentManager());
  std::vector<wxString> paths;
  if (manager == nullptr ||
      !manager->DoPromptFileName(paths, WStringTable::eMergeTitle,
                                 wxFD_FILE_MUST_EXIST | wxFD_MULTIPLE, true, GetDocumentTemplate()))
    return;
  MergeFiles(paths);
}

void WTimeSheetDocument::MergeFiles(const std::vector<wxString> & inPaths) {
  mMergeFileCount = inPaths.size();
  mMergeDecision = eUndecided;
  mMergeSaveFailed = false;
  for (const wxString & path : inPaths) {
    if (!SFile::ExistsOnDisk(WPaths::ToFileSpec(path))) {
      WMessageBox::Show("The merge operation failed: The file " + path + " does not exist on disk.",
                        wxOK | wxICON_EXCLAMATION);
      continue;
    }
    // The stream lives for this one merge; destroying it lets go of the file.
    const std::unique_ptr<STaskFileStream> stream = MakeFileStream(path);
    try {
      wxBusyCursor wait;
      Merge(stream.get());
    } catch (const SFileException & failure) {
      ShowFailure(failure, path);
      break;
    } catch (const SDocumentException & failure) {
      ShowFailure(failure, path);
      break;
    }
  }
  mMergeFileCount = 1;
  mMergeDecision = eUndecided;
  mMergeSaveFailed = false;
  // Merged files may have been emptied: what came from them cannot be undone.
  GetEditHistory().ClearCommands();
}

bool WTimeSheetDocument::WantToClearMergeStream(STaskStream *) {
  if (!WTallyworthApp::sClearFilesAfterMergingFlag)
    return false;
  if (mMergeDecision == eUndecided) {
    if (WTallyworthApp::sWarnBeforeClearingMergedFilesFlag) {
      WConfirmClearDialog dialog(mMergeFileCount > 1 ? WStringTable::eClearMergedFiles
                                                     : WStringTable::eClearMergedFile,
                                 true, GetDocumentWindow());
      switch (dialog.DoModal()) {
      case WConfirmClearDialog::eClear:
        mMergeDecision = eClearFiles;
        break;
      case WConfirmClearDialog::eSaveAndClear:
        mMergeDecision = eSaveAndClearFiles;
        break;
      default:
        mMergeDecision = eKeepFiles;
        break;
      }
    } else {
      mMergeDecision = WTallyworthApp::sSaveBeforeClearingMergedFilesFlag ? eSaveAndClearFiles : eClearFiles;
    }
  }
  switch (mMergeDecision) {
  case eClearFiles:
    return true;
  case eSaveAndClearFiles:
    // Every file is emptied only once the time sheet holding its entries is saved; after
    // a failed or cancelled save no further file is emptied.
    if (mMergeSaveFailed)
      return false;
    if (!Save()) {
      mMergeSaveFailed = true;
      return false;
    }
    return true;
  default:
    return false;
  }
}

// ---- Clear ---------------------------------------------------------------------------

void WTimeSheetDocument::OnClearTimeSheet(wxCommandEvent &) {
  if (AskClearTimeSheet(IsDirty() ? WStringTable::eClearDirtyTimeSheet : WStringTable::eClearCleanTimeSheet))
    ClearTimeSheet();
}

bool WTimeSheetDocument::AskClearTimeSheet(unsigned inId) {
  WConfirmClearDialog dialog(inId, false, GetDocumentWindow());
  return dialog.DoModal() == wxID_OK;
}

void WTimeSheetDocument::ClearTimeSheet() {
  wxBusyCursor wait;
  mData.clear();
  GetEditHistory().ClearCommands();
  if (wxView * view = GetFirstView()) {
    wxCommandEvent sortByOrderInFile(wxEVT_MENU, WCommandIds::eSortByOrderInFile);
    view->ProcessEvent(sortByOrderInFile);
  }
}
