// The child window of one time sheet: it holds the time sheet's view and a status line of
// its own, which shows the total duration and the number of entries and carries the file
// settings button.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

#if defined(__WXMSW__)
#include <wx/docmdi.h>
#else
#include <wx/docview.h> // before the next, which needs the build settings
#include <wx/aui/tabmdi.h>
#endif
#include <wx/infobar.h> // a class of its own on some systems, a name for the generic one on others

#include "dates/STime.h"
#include "vectors/TVectorMessage.h"
#include "tasks/STask.h"
#include "tasks/STaskDocumentData.h"
#include "tasks/STaskVectorListener.h"

class WFileSettingsPopup;
class WMainWindow;
class WStatusBar;
class WTimeSheetDocument;

#if defined(__WXMSW__)
using WTimeSheetWindowBase = wxDocMDIChildFrame;
#else
using WTimeSheetWindowBase = wxDocChildFrameAny<wxAuiMDIChildFrame, wxAuiMDIParentFrame>;
#endif

class WTimeSheetWindow : public WTimeSheetWindowBase, public STaskVectorListener {
public:
  /// The status line's panes.
  enum EPane { eSettingsPane = 0, eDurationPane = 1, eEntryCountPane = 2, eRestPane = 3 };

  /// A window for inDocument; listens to its tasks from now on.
  explicit WTimeSheetWindow(WTimeSheetDocument & inDocument);
  ~WTimeSheetWindow() override;

  /// Creates the window in inParent for inView, with its menu and status line.
  bool Create(wxView * inView, WMainWindow * inParent);
  /// Lays the window out and shows it active, once its view exists.
  void FinishCreation();

  /// Repaints the status line's panes as the tasks changed: an insertion or deletion the
  /// entry count and the duration, a change the duration only.
  void ListenToMessage(TVectorMessage<STask> inMessage) override;

  /// The label and the value that status pane inPane shows (both empty for the panes
  /// without text).
  std::pair<wxString, wxString> GetStatusPaneTexts(int inPane) const;
  /// Draws the contents of status pane inPane (inRect) into inDC.
  void DrawStatusPane(wxDC & inDC, int inPane, const wxRect & inRect);
  /// The text that follows "Duration:": the total with as many hour digits as it needs,
  /// at least 2.
  static wxString DurationText(STime inTotal);
  /// The text that follows "Entry Count:".
  static wxString EntryCountText(std::size_t inCount);

  /// The widths of the status line's panes with inDC's font set to the status font: wide
  /// enough for the widest label and value a pane can show, a space apart, and never
  /// narrower than 11, 126 and 110 pixels; the last pane stretches (-1).
  static std::array<int, 4> GetStatusPaneWidths(wxDC & inDC);

  /// The smallest size of a time sheet window: 200 by 124 with themed drawing, else 200
  /// by 100.
  static wxSize GetMinTrackSize();
  /// The largest size of a time sheet window inside a parent client area of
  /// inParentClientSize: that area plus the window's own border (window size minus its
  /// client size).
  static wxSize GetMaxTrackSize(const wxSize & inParentClientSize, const wxSize & inWindowSize,
                                const wxSize & inClientSize);

  /// Shows inMessage in the status line's last pane (an empty text clears it).
  void ShowMessage(const wxString & inMessage);
  /// The message the status line shows.
  const wxString & GetStatusMessage() const { return mMessage; }

  /// Sets the title from the document's name.
  void UpdateTitle();

  /// Shows inText in a notice above the time sheet, which the user can close.
  void ShowNotice(const wxString & inText);
  /// The notice bar, or null when no notice was ever shown.
  wxInfoBar * GetNotice() const { return mNotice; }
  /// The text of the notice last shown.
  const wxString & GetNoticeText() const { return mNoticeText; }
  /// Lays the notice, the view and the status line out (also after the notice closes).
  bool Layout() override;

  WStatusBar & GetTimeSheetStatusBar() const { return *mStatusBar; }
  WFileSettingsPopup & GetFileSettingsPopup() const { return *mFileSettingsPopup; }
  const STaskDocumentData & GetDocumentData() const { return mDocumentData; }

private:
  bool CreateTimeSheetStatusBar();
  void OnSize(wxSizeEvent & inEvent);
  void OnUpdateUnhandled(wxUpdateUIEvent & inEvent);
  void OnActivateWindow(wxActivateEvent & inEvent);
  void LayoutChildren();
  // The document is still there (it unregisters everyone when it goes).
  bool HasDocument() const { return !GetBroadcasters().empty(); }

  STaskDocumentData mDocumentData;
  WStatusBar * mStatusBar = nullptr;                 // a child window
  WFileSettingsPopup * mFileSettingsPopup = nullptr; // a child of the status line
  wxInfoBar * mNotice = nullptr;                     // a child window
  wxString mNoticeText;
  WTimeSheetDocument & mTimeSheetDocument;
  wxString mMessage;

  wxDECLARE_EVENT_TABLE();
};
