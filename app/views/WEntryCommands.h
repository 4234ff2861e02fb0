// The editing commands of a time sheet view beyond the in-place edit: Undo and Redo, New
// Entry, Delete, Cut, Copy and Paste, from the Edit menu, the keyboard and the lists'
// context menu. Each change goes through the document's undo history.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <wx/string.h>

#include "tasks/STask.h"

class WTimeSheetDocument;
class WTimeSheetView;
class wxCommandEvent;
class wxContextMenuEvent;
class wxKeyEvent;
class wxUpdateUIEvent;
class wxWindow;

class WEntryCommands {
public:
  /// The commands of `ioView` (not owned; it owns this object), bound to its menu commands,
  /// its lists' keys and context menus, and its flat list's in-place edits.
  explicit WEntryCommands(WTimeSheetView & ioView);

  /// True when command `inId` can act now (what its menu item's enabling says).
  bool IsEnabled(int inId);
  /// Carries out command `inId` if it can act now; false when it cannot.
  bool Run(int inId);

  /// True when the visible list has a selected row.
  bool HasSelection() const;
  /// The entries the visible list's selection stands for, in the list's order.
  std::vector<std::uint32_t> SelectedEntries() const;
  /// The text Copy puts on the clipboard for the entries `inEntries`, as UTF-8: each
  /// entry's line as it stands, followed by the platform's line break.
  std::string CopyText(const std::vector<std::uint32_t> & inEntries) const;
  /// The entries Paste makes of `inBytes` (text in the sheet's encoding), read as time sheet
  /// lines in the sheet's date order; lines with nothing but blanks are left out. Empty when
  /// `inBytes` holds no line.
  std::vector<STask> PasteTasks(std::string_view inBytes) const;

private:
  void OnCommand(wxCommandEvent & inEvent);
  void OnUpdate(wxUpdateUIEvent & inEvent);
  void OnPaneKey(wxKeyEvent & inEvent);
  void OnContextMenu(wxWindow * inPane, wxContextMenuEvent & inEvent);

  void Undo();
  void Redo();
  void NewEntry();
  void DeleteEntries(bool inCut);
  void Copy();
  void Paste();

  // The time sheet document, null for a view without one.
  WTimeSheetDocument * Document() const;
  // The document, if it may be changed now.
  WTimeSheetDocument * ChangeableDocument() const;
  void ShowMessage(const wxString & inMessage) const;
  static bool ClipboardHasText();

  WTimeSheetView & mView; // not owned
};
