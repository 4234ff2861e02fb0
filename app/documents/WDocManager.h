// The program's document manager: New without a choice of type, Open with several files
// at once, the file prompts of Open, Save As and Merge, the recent-file list with a
// command for each of its entries, and the save question for every time sheet when the
// program ends.
#pragma once

#include <vector>

#include <wx/docview.h>

class wxMenu;

class WDocManager : public wxDocManager {
public:
  /// A manager without its file history: call Initialize() afterwards.
  WDocManager();
  ~WDocManager() override;

  /// The recent-file list: as many entries as the preference allows, up to 50, each with
  /// a command of its own.
  wxFileHistory * OnCreateFileHistory() override;
  /// "Untitled" followed by a running number.
  wxString MakeNewDocumentName() override;
  /// Puts inPath at the top of the recent-file list (nothing while the list is switched
  /// off) and stores the list.
  void AddFileToHistory(const wxString & inPath) override;
  /// Removes entry inIndex and stores the list.
  void RemoveFileFromHistory(size_t inIndex) override;
  /// Keeps the main frame's title in step with the active time sheet.
  void ActivateView(wxView * inView, bool inActivate = true) override;

  /// Makes the recent-file list anew with the size the preference allows now and reads
  /// it from the configuration (at start-up).
  void StartRecentFileList();
  /// Reads the recent-file list from the configuration.
  void LoadRecentFiles();
  /// Writes the recent-file list to the configuration.
  void SaveRecentFiles();
  /// Keeps inMenu (an "Open Recent" sub-menu) showing the list until it is removed.
  void AddRecentFileMenu(wxMenu * inMenu);
  void RemoveRecentFileMenu(wxMenu * inMenu);
  /// Rebuilds every "Open Recent" sub-menu from the list.
  void RefreshRecentFileMenus();
  /// The number of entries the list may hold (0: switched off).
  size_t GetMaxRecentFiles() const;

  /// A new, empty, untitled time sheet; null (after a message) when there is no template.
  wxDocument * CreateNewTimeSheet();
  /// Activates the time sheet at inPath when it is open, else opens it in a new window,
  /// and puts the path at the top of the recent-file list. Null when opening failed.
  wxDocument * OpenDocumentFile(const wxString & inPath);
  /// Opens recent-file entry inIndex through the application (which refuses a file that
  /// no longer exists); a refused entry is removed from the list.
  void OpenRecentFile(size_t inIndex);

  /// Asks for files: title string inTitleId ("Merge" gives the merge dialog), wx file
  /// dialog styles inFlags, an open or a save dialog, the filters of inTemplate (all
  /// templates when null), starting with inFileName (a full path: in its folder; else in
  /// GetLastFolder()). True with the chosen full paths when the user accepted.
  bool DoPromptFileName(std::vector<wxString> & outPaths, unsigned inTitleId, long inFlags,
                        bool inOpenFileDialog, wxDocTemplate * inTemplate,
                        const wxString & inFileName = wxString());

  /// The folder of the files last chosen in a file dialog; before any, the folder of the
  /// newest recent file (empty: none).
  wxString GetLastFolder() const;

  /// Asks about every time sheet with unsaved changes, in order. False (nothing closed,
  /// no change dropped) when the user cancels any question or a save fails; true when
  /// the program may close them all.
  bool SaveAllModified();

private:
  void OnFileNewCommand(wxCommandEvent & inEvent);
  void OnFileOpenCommand(wxCommandEvent & inEvent);
  void OnRecentFileCommand(wxCommandEvent & inEvent);
  // Help > About and Edit > Preferences belong to the application; always enabled.
  void OnAboutCommand(wxCommandEvent & inEvent);
  void OnPreferencesCommand(wxCommandEvent & inEvent);
  void OnUpdateAlwaysEnabled(wxUpdateUIEvent & inEvent);
  void OnUpdateRecentFile(wxUpdateUIEvent & inEvent);
  void OnUpdateAlwaysDisabled(wxUpdateUIEvent & inEvent);
  void OnUpdateIfDocument(wxUpdateUIEvent & inEvent);

  int mNewDocumentCounter = 1;
  wxString mLastFolder;
  std::vector<wxMenu *> mRecentFileMenus; // not owned

  wxDECLARE_EVENT_TABLE();
};
