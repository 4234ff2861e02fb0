// A time sheet as the framework sees it.
#include "documents/WTimeSheetDocument.h"

#include <memory>

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/utils.h>

#include "application/WTallyworthApp.h"
#include "dialogs/WConfirmClearDialog.h"
#include "dialogs/WFilterDialog.h"
#include "documents/WDocManager.h"
#include "documents/WTimeSheetDocTemplate.h"
#include "documents/WEditHistory.h"
#include "documents/SDocumentException.h"
#include "files/SFile.h"
#include "files/SFileException.h"
#include "other/WMessageBox.h"
#include "other/WPaths.h"
#include "other/WTextEncoding.h"
#include "resources/WCommandIds.h"
#include "resources/WStringTable.h"
#include "tasks/STaskDocumentData.h"
#include "tasks/STaskFileStream.h"
#include "tasks/STaskFileStreamSettings.h"
#include "tasks/STaskParallelFilter.h"
#include "syntax/SWildcardString.h"
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

// True when the file at inSpec can be read but not written (a file that cannot be opened
// at all is left to the load to report).
bool CanOnlyBeRead(const SFileSpec & inSpec) {
  SFile probe(inSpec);
  try {
    probe.Open(SFile::eReadWrite);
    return false;
  } catch (const SFileException &) {
  }
  try {
    probe.Open(SFile::eRead);
    return true;
  } catch (const SFileException &) {
  }
  return false;
}

// The open time sheet, other than inExcept, whose file is inPath; null for none.
WTimeSheetDocument * FindOpenTimeSheet(wxDocManager * inManager, const wxString & inPath,
                                       const WTimeSheetDocument * inExcept) {
  if (inManager == nullptr)
    return nullptr;
  for (wxList::compatibility_iterator node = inManager->GetDocuments().GetFirst(); node; node = node->GetNext()) {
    auto * document = dynamic_cast<WTimeSheetDocument *>(static_cast<wxDocument *>(node->GetData()));
    if (document != nullptr && document != inExcept && !document->GetStreamPath().empty() &&
        WPaths::SameFile(document->GetStreamPath(), inPath))
      return document;
  }
  return nullptr;
}

// "<inOperation> failed: The file <inPath> is open in another window: ..."
wxString OpenElsewhereMessage(const wxString & inOperation, const wxString & inPath) {
  return "The " + inOperation + " operation failed: The file " + inPath +
         " is open in another window: save and close it there first.";
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
    // A file that can only be read opens read-only: it is read, let go and never written.
    std::unique_ptr<STaskFileStream> stream = MakeFileStream(inPath);
    const bool readOnly = CanOnlyBeRead(WPaths::ToFileSpec(inPath));
    stream->SetReadOnly(readOnly);
    STaskDocumentData(*this).SetIsReadOnly(readOnly);
    SetStream(std::move(stream));
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
  if (FindOpenTimeSheet(GetDocumentManager(), inPath, this) != nullptr) {
    WMessageBox::Show(OpenElsewhereMessage("save", inPath), wxOK | wxICON_EXCLAMATION);
    return false;
  }
  const bool wasReadOnly = IsReadOnly();
  if (wasReadOnly && WPaths::SameFile(inPath, GetStreamPath())) {
    WMessageBox::Show("The save operation failed: The file " + inPath +
                          " is read-only: save the time sheet under another name.",
                      wxOK | wxICON_EXCLAMATION);
    return false;
  }
  {
    wxBusyCursor wait;
    // Saved under a new name, a read-only time sheet holds its new file like any other.
    STaskDocumentData(*this).SetIsReadOnly(false);
    try {
      STaskDocument::SaveAs(WPaths::ToFileSpec(inPath));
    } catch (const SFileException & failure) {
      STaskDocumentData(*this).SetIsReadOnly(wasReadOnly);
      ShowFailure(failure, inPath);
      return false;
    } catch (const SDocumentException & failure) {
      STaskDocumentData(*this).SetIsReadOnly(wasReadOnly);
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
  if (GetStream() == nullptr || IsReadOnly())
    return SaveAs();
  return OnSaveDocument(GetStreamPath());
}

bool WTimeSheetDocument::SaveAs() {
  auto * manager = static_cast<WDocManager *>(GetDocumentManager());
  std::vector<wxString> paths;
  // A time sheet from a file starts in its folder, with its name.
  const wxString current = GetStreamPath();
  if (manager == nullptr ||
      !manager->DoPromptFileName(paths, WStringTable::eSaveAsTitle, wxFD_OVERWRITE_PROMPT, false,
                                 GetDocumentTemplate(), current.empty() ? GetUserReadableName() : current))
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

wxString WTimeSheetDocument::GetWindowTitle() const {
  return IsReadOnly() ? GetUserReadableName() + " (read-only)" : GetUserReadableName();
}

bool WTimeSheetDocument::RefuseChangeIfReadOnly() const {
  if (!IsReadOnly())
    return false;
  WMessageBox::Show("The time sheet " + GetUserReadableName() +
                        " is read-only and cannot be changed. Save it under another name to change the copy.",
                    wxOK | wxICON_EXCLAMATION, GetDocumentWindow());
  return true;
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
  if (RefuseChangeIfReadOnly())
    return;
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
    // Another window's file would be changed behind its back; the own file merged into
    // itself (and perhaps emptied).
    if (FindOpenTimeSheet(GetDocumentManager(), path, nullptr) != nullptr) {
      WMessageBox::Show(WPaths::SameFile(path, GetStreamPath())
                            ? "The merge operation failed: The file " + path + " is this time sheet's own file."
                            : OpenElsewhereMessage("merge", path),
                        wxOK | wxICON_EXCLAMATION);
      break;
    }
    // The stream lives for this one merge; destroying it lets go of the file.
    const std::unique_ptr<STaskFileStream> stream = MakeFileStream(path);
    try {
      wxBusyCursor wait;
      mMergeSavedSheet = false;
      Merge(stream.get());
      // Saved before its source was emptied, and not changed since: nothing left to save.
      if (mMergeSavedSheet)
        SetDirtyStatus(false);
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
  mMergeSavedSheet = false;
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
    mMergeSavedSheet = true;
    return true;
  default:
    return false;
  }
}

// ---- Clear ---------------------------------------------------------------------------

void WTimeSheetDocument::OnClearTimeSheet(wxCommandEvent &) {
  if (RefuseChangeIfReadOnly())
    return;
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

// ---- Filter --------------------------------------------------------------------------

namespace {

const char kTemplateNotFound[] = "Document template could not be found.";
const char kTemplateNotCorrectType[] = "Document template is not correct type.";

// What the notice of a filtered time sheet says about an expression with an error; empty
// when there was none.
wxString FilterNotice(const STaskParallelFilter & inFilter, std::size_t inTested) {
  const bool unprepared = !inFilter.PreparationFailure().empty();
  if (!unprepared && inFilter.FailureCount() == 0)
    return wxString();
  const wxString error = wxString::FromUTF8(unprepared ? inFilter.PreparationFailure() : inFilter.FirstFailure());
  if (unprepared || inFilter.FailureCount() >= inTested)
    return "The filter expression has an error, so no entry could be tested: " + error + ".";
  return wxString::Format("%zu of %zu entries could not be tested and were left out: ", inFilter.FailureCount(),
                          inTested) +
         error + ".";
}

} // namespace

void WTimeSheetDocument::OnReportFilter(STaskVectorMap & ioVectorMap, const WTextEncoding & inEncoding) {
  if (!WTallyworthApp::sFilterDialog)
    WTallyworthApp::sFilterDialog = std::make_unique<WFilterDialog>(nullptr);
  WFilterDialog & dialog = *WTallyworthApp::sFilterDialog;
  if (dialog.DoModal(GetDocumentWindow()) != wxID_OK)
    return;
  const std::string text = inEncoding.Encode(dialog.GetFilter());
  const bool caseSensitive = dialog.IsCaseSensitive();

  auto * manager = dynamic_cast<WDocManager *>(GetDocumentManager());
  if (manager == nullptr || manager->GetTemplates().IsEmpty())
    throw SDocumentException(kTemplateNotFound);
  if (dynamic_cast<WTimeSheetDocTemplate *>(static_cast<wxDocTemplate *>(manager->GetTemplates().GetFirst()->GetData())) ==
      nullptr)
    throw SDocumentException(kTemplateNotCorrectType);
  wxDocument * created = manager->CreateNewTimeSheet();
  auto * target = dynamic_cast<WTimeSheetDocument *>(created);
  if (target == nullptr) {
    if (created != nullptr)
      manager->CloseDocument(created, true);
    throw SDocumentException(kTemplateNotCorrectType);
  }

  STaskDocumentData targetData(*target);
  targetData.SetDateFormat(mDateFormat);
  targetData.SetLineBreakFormat(mLineBreakFormat);
  wxString notice;
  {
    wxBusyCursor wait;
    SWildcardString::SetGlobalCaseSensitivity(caseSensitive ? SWildcardString::eCaseSensitive
                                                            : SWildcardString::eNotCaseSensitive);
    // One insertion for all copied entries: the new window counts them in at once.
    STaskParallelFilter filter(ioVectorMap, targetData.GetData(), text);
    filter();
    notice = FilterNotice(filter, ioVectorMap.size());
  }
  // A filtered copy exists nowhere else: it counts as changed even when nothing matched.
  target->SetDirty();
  if (!notice.empty())
    if (WTimeSheetWindow * window = target->GetTimeSheetWindow())
      window->ShowNotice(notice);
}
