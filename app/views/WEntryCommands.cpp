// The editing commands of a time sheet view beyond the in-place edit.
#include "views/WEntryCommands.h"

#include <algorithm>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/menu.h>
#include <wx/window.h>

#include "dates/SDateString.h"
#include "documents/WDeleteEntriesCommand.h"
#include "documents/WEditFieldCommand.h"
#include "documents/WEditHistory.h"
#include "documents/WInsertEntriesCommand.h"
#include "documents/WTimeSheetDocument.h"
#include "other/WTextEncoding.h"
#include "other/WUtf8TextDataObject.h"
#include "panes/WListListBox.h"
#include "panes/WTreeListBox.h"
#include "resources/WCommandIds.h"
#include "tasks/STaskStream.h"
#include "tasks/STaskVector.h"
#include "views/WTimeSheetView.h"
#include "windows/WTimeSheetWindow.h"

namespace {

#ifdef __WXMSW__
const char kLineBreak[] = "\r\n";
#else
const char kLineBreak[] = "\n";
#endif

const int kCommandIds[] = {wxID_UNDO, wxID_REDO, wxID_CUT, wxID_COPY, wxID_PASTE, wxID_DELETE, WCommandIds::eNewEntry};

bool IsBlank(std::string_view inLine) { return inLine.find_first_not_of(" \t") == std::string::npos; }

} // namespace

WEntryCommands::WEntryCommands(WTimeSheetView & ioView) : mView(ioView) {
  for (const int id : kCommandIds) {
    mView.Bind(wxEVT_MENU, [this](wxCommandEvent & inEvent) { OnCommand(inEvent); }, id);
    mView.Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent & inEvent) { OnUpdate(inEvent); }, id);
  }
  for (wxWindow * pane : {static_cast<wxWindow *>(mView.ListBox()), static_cast<wxWindow *>(mView.TreeBox())}) {
    pane->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent & inEvent) { OnPaneKey(inEvent); });
    pane->Bind(wxEVT_CONTEXT_MENU, [this, pane](wxContextMenuEvent & inEvent) { OnContextMenu(pane, inEvent); });
  }
  mView.ListBox()->SetEditHandlers(
      [this](std::uint32_t inIndex, const STask & inOld, const STask & inNew, int inField) {
        ShowMessage(wxString());
        if (WTimeSheetDocument * document = ChangeableDocument()) {
          document->GetEditHistory().Submit(new WEditFieldCommand(*document, inIndex, inOld, inNew, inField));
        } else if (Document() == nullptr) {
          mView.DocumentData().GetData().set(inIndex, inNew);
        }
      },
      [this](const wxString & inMessage) { ShowMessage(inMessage); });
}

WTimeSheetDocument * WEntryCommands::Document() const { return dynamic_cast<WTimeSheetDocument *>(mView.GetDocument()); }

WTimeSheetDocument * WEntryCommands::ChangeableDocument() const {
  WTimeSheetDocument * document = Document();
  return document != nullptr && !document->IsReadOnly() ? document : nullptr;
}

void WEntryCommands::ShowMessage(const wxString & inMessage) const {
  if (auto * window = dynamic_cast<WTimeSheetWindow *>(mView.GetFrame()))
    window->ShowMessage(inMessage);
}

bool WEntryCommands::ClipboardHasText() {
  if (!wxTheClipboard->Open())
    return false;
  const bool has = wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT);
  wxTheClipboard->Close();
  return has;
}

bool WEntryCommands::IsEnabled(int inId) {
  WTimeSheetDocument * document = ChangeableDocument();
  switch (inId) {
  case wxID_UNDO:
    return document != nullptr && document->GetEditHistory().CanUndo();
  case wxID_REDO:
    return document != nullptr && document->GetEditHistory().CanRedo();
  case wxID_CUT:
  case wxID_DELETE:
    return document != nullptr && HasSelection();
  case wxID_COPY:
    return HasSelection();
  case wxID_PASTE:
    return document != nullptr && ClipboardHasText();
  case WCommandIds::eNewEntry:
    return document != nullptr;
  default:
    return false;
  }
}

bool WEntryCommands::Run(int inId) {
  if (!IsEnabled(inId))
    return false;
  switch (inId) {
  case wxID_UNDO:
    Undo();
    break;
  case wxID_REDO:
    Redo();
    break;
  case wxID_CUT:
    DeleteEntries(true);
    break;
  case wxID_DELETE:
    DeleteEntries(false);
    break;
  case wxID_COPY:
    Copy();
    break;
  case wxID_PASTE:
    Paste();
    break;
  case WCommandIds::eNewEntry:
    NewEntry();
    break;
  default:
    return false;
  }
  return true;
}

void WEntryCommands::OnCommand(wxCommandEvent & inEvent) { Run(inEvent.GetId()); }

void WEntryCommands::OnUpdate(wxUpdateUIEvent & inEvent) {
  inEvent.Enable(IsEnabled(inEvent.GetId()));
  WTimeSheetDocument * document = Document();
  if (document == nullptr)
    return;
  if (inEvent.GetId() == wxID_UNDO)
    inEvent.SetText(document->GetEditHistory().GetUndoMenuLabel());
  else if (inEvent.GetId() == wxID_REDO)
    inEvent.SetText(document->GetEditHistory().GetRedoMenuLabel());
}

void WEntryCommands::OnPaneKey(wxKeyEvent & inEvent) {
  const int key = inEvent.GetKeyCode();
  const int modifiers = inEvent.GetModifiers();
  int id = 0;
  if (modifiers == wxMOD_NONE && (key == WXK_DELETE || key == WXK_NUMPAD_DELETE)) {
    id = wxID_DELETE;
  } else if (modifiers == wxMOD_NONE && (key == WXK_INSERT || key == WXK_NUMPAD_INSERT)) {
    id = WCommandIds::eNewEntry;
  } else if (modifiers == wxMOD_CONTROL) {
    switch (key) {
    case 'X': id = wxID_CUT; break;
    case 'C': id = wxID_COPY; break;
    case 'V': id = wxID_PASTE; break;
    case 'Z': id = wxID_UNDO; break;
    case 'Y': id = wxID_REDO; break;
    default: break;
    }
  } else if (modifiers == (wxMOD_CONTROL | wxMOD_SHIFT) && key == 'Z') {
    id = wxID_REDO;
  }
  if (id == 0) {
    inEvent.Skip();
    return;
  }
  Run(id);
}

void WEntryCommands::OnContextMenu(wxWindow * inPane, wxContextMenuEvent & inEvent) {
  wxPoint point = inEvent.GetPosition();
  point = point == wxDefaultPosition ? wxPoint(0, 0) : inPane->ScreenToClient(point);
  // A right click on a row that is not selected selects it alone, as lists do everywhere.
  if (inPane == mView.ListBox()) {
    WListListBox * list = mView.ListBox();
    list->CommitInPlaceEdit();
    list->SyncRows();
    const int row = list->VirtualHitTest(point.y);
    if (row != wxNOT_FOUND && !list->IsSelected(static_cast<std::size_t>(row))) {
      list->DeselectAll();
      list->Select(static_cast<std::size_t>(row), true);
    }
  } else {
    WTreeListBox * tree = mView.TreeBox();
    tree->SyncRows();
    const int row = tree->VirtualHitTest(point.y);
    if (row != wxNOT_FOUND)
      tree->SetSelection(row);
  }
  wxMenu menu;
  WTimeSheetDocument * document = Document();
  menu.Append(wxID_UNDO, document != nullptr ? document->GetEditHistory().GetUndoMenuLabel() : wxString("&Undo"));
  menu.Append(wxID_REDO, document != nullptr ? document->GetEditHistory().GetRedoMenuLabel() : wxString("&Redo"));
  menu.AppendSeparator();
  menu.Append(wxID_CUT, "Cu&t\tCtrl+X");
  menu.Append(wxID_COPY, "&Copy\tCtrl+C");
  menu.Append(wxID_PASTE, "&Paste\tCtrl+V");
  menu.Append(wxID_DELETE, "Delete\tDel");
  menu.AppendSeparator();
  menu.Append(WCommandIds::eNewEntry, "New Entry\tIns");
  for (const int id : kCommandIds)
    menu.Enable(id, IsEnabled(id));
  const int chosen = inPane->GetPopupMenuSelectionFromUser(menu, point);
  if (chosen != wxID_NONE)
    Run(chosen);
}

bool WEntryCommands::HasSelection() const {
  if (mView.IsGrouped()) {
    mView.TreeBox()->SyncRows();
    return mView.TreeBox()->GetSelection() != wxNOT_FOUND;
  }
  return mView.ListBox()->GetSelectedCount() > 0;
}

std::vector<std::uint32_t> WEntryCommands::SelectedEntries() const {
  return mView.IsGrouped() ? mView.TreeBox()->SelectedEntries() : mView.ListBox()->SelectedEntries();
}

void WEntryCommands::Undo() {
  // Undo while typing in a cell drops what was typed, as Escape does.
  if (mView.ListBox()->InPlaceEditControl() != nullptr) {
    mView.ListBox()->CancelInPlaceEdit();
    return;
  }
  ShowMessage(wxString());
  Document()->GetEditHistory().Undo();
}

void WEntryCommands::Redo() {
  mView.ListBox()->CommitInPlaceEdit();
  ShowMessage(wxString());
  Document()->GetEditHistory().Redo();
}

void WEntryCommands::NewEntry() {
  WTimeSheetDocument & document = *Document();
  if (!mView.ListBox()->CommitInPlaceEdit(true))
    return;
  ShowMessage(wxString());
  const SDateFormat order = document.GetDateFormat();
  const SDateString today(SDateString::ParseDate("", 0, order), order, true);
  const std::string line = static_cast<const std::string &>(today) + "\t00:00:00\t\t\t\t";
  const auto index = static_cast<std::uint32_t>(document.GetData().size());
  document.GetEditHistory().Submit(new WInsertEntriesCommand(
      document, WEntriesCommand::CountedName("New", 1), {index},
      {STask(order, line.data(), static_cast<unsigned>(line.size()))}));
  if (mView.IsGrouped() || document.GetData().size() <= index)
    return;
  // The new entry's row is the list's last: new entries join the end of a sorted list.
  WListListBox * list = mView.ListBox();
  list->SyncRows();
  for (std::size_t row = list->size(); row-- > 0;) {
    if ((*list)[row] == index) {
      list->OpenInPlaceEdit(row, STask::eDuration);
      break;
    }
  }
}

void WEntryCommands::DeleteEntries(bool inCut) {
  WTimeSheetDocument & document = *Document();
  std::vector<std::uint32_t> entries = SelectedEntries();
  if (inCut)
    Copy();
  ShowMessage(wxString());
  std::sort(entries.begin(), entries.end());
  entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
  std::vector<STask> tasks;
  tasks.reserve(entries.size());
  for (const std::uint32_t index : entries)
    tasks.push_back(document.GetData().at(index));
  const wxString name = WEntriesCommand::CountedName(inCut ? "Cut" : "Delete", entries.size());
  document.GetEditHistory().Submit(new WDeleteEntriesCommand(document, name, std::move(entries), std::move(tasks)));
}

std::string WEntryCommands::CopyText(const std::vector<std::uint32_t> & inEntries) const {
  const STaskVector & data = mView.DocumentData().GetData();
  const WTextEncoding & encoding = mView.Encoding();
  const std::size_t breakLength = sizeof kLineBreak - 1;
  // The exact length in UTF-8; Windows-1252 text grows where it is not ASCII.
  std::size_t length = 0;
  for (const std::uint32_t index : inEntries)
    length += data.at(index).size() + breakLength;
  std::string text;
  text.reserve(length);
  for (const std::uint32_t index : inEntries) {
    encoding.AppendUtf8(data[index], text);
    text.append(kLineBreak, breakLength);
  }
  return text;
}

void WEntryCommands::Copy() {
  std::string text = CopyText(SelectedEntries());
  if (wxTheClipboard->Open()) {
    wxTheClipboard->SetData(new WUtf8TextDataObject(std::move(text)));
    wxTheClipboard->Close();
  }
}

std::vector<STask> WEntryCommands::PasteTasks(std::string_view inBytes) const {
  // Blank lines carry no entry: the clipboard's text often ends with some.
  std::string lines;
  lines.reserve(inBytes.size());
  std::size_t start = 0;
  while (start < inBytes.size()) {
    std::size_t stop = inBytes.find_first_of("\r\n", start);
    const bool broken = stop != std::string_view::npos;
    if (!broken)
      stop = inBytes.size();
    const std::string_view line = inBytes.substr(start, stop - start);
    if (!IsBlank(line)) {
      lines.append(line);
      if (broken)
        lines += '\n';
    }
    start = stop + (broken && inBytes[stop] == '\r' && stop + 1 < inBytes.size() && inBytes[stop + 1] == '\n' ? 2 : 1);
  }
  const SDateFormat order = mView.DocumentData().GetDateFormat();
  STaskVector parsed;
  STaskStream::AppendLines(lines.data(), lines.data() + lines.size(), order, order, parsed);
  return std::vector<STask>(parsed.begin(), parsed.end());
}

void WEntryCommands::Paste() {
  WTimeSheetDocument & document = *Document();
  if (!mView.ListBox()->CommitInPlaceEdit(true))
    return;
  WUtf8TextDataObject data;
  bool got = false;
  if (wxTheClipboard->Open()) {
    got = wxTheClipboard->GetData(data);
    wxTheClipboard->Close();
  }
  // Text that is not valid UTF-8 counts as no text.
  const std::string_view text = got && WTextEncoding::IsValidUtf8(data.Bytes()) ? data.Bytes() : std::string_view();
  std::string bytes;
  if (!mView.Encoding().FromUtf8(text, bytes)) {
    ShowMessage("This time sheet is saved in Windows-1252, which cannot hold the text on the clipboard");
    return;
  }
  std::vector<STask> tasks = PasteTasks(bytes);
  if (tasks.empty()) {
    ShowMessage("Nothing pasted: the clipboard holds no time sheet line");
    return;
  }
  ShowMessage(wxString());
  std::vector<std::uint32_t> indices(tasks.size());
  const auto first = static_cast<std::uint32_t>(document.GetData().size());
  for (std::size_t k = 0; k < indices.size(); ++k)
    indices[k] = first + static_cast<std::uint32_t>(k);
  const wxString name = WEntriesCommand::CountedName("Paste", tasks.size());
  document.GetEditHistory().Submit(new WInsertEntriesCommand(document, name, std::move(indices), std::move(tasks)));
}
