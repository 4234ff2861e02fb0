// The main frame: the multiple-document frame that holds every time sheet window. On
// Windows the time sheets are the system's own child windows; elsewhere they are tabs that
// can be split so that several time sheets are seen side by side.
#pragma once

#if defined(__WXMSW__)
#include <wx/docmdi.h>
#else
#include <wx/docview.h> // before the next, which needs the build settings
#include <wx/aui/tabmdi.h>
#endif

class WDocManager;
class WTimeSheetWindow;

#if defined(__WXMSW__)
using WMainWindowBase = wxDocMDIParentFrame;
#else
using WMainWindowBase = wxDocParentFrameAny<wxAuiMDIParentFrame>;
#endif

class WMainWindow : public WMainWindowBase {
public:
  /// The frame with the main menu, its status bar and the program's title.
  explicit WMainWindow(WDocManager * inManager);
  ~WMainWindow() override;

  /// "Tallyworth", followed by the active time sheet's name while there is one.
  void UpdateTitle();
  /// UpdateTitle once the event in progress is over (a closing window's document is gone).
  void RequestTitleUpdate();
  /// Keeps the frame from shrinking its time sheet windows below their smallest size.
  void UpdateMinSize();
  /// UpdateMinSize once the windows have their sizes.
  void RequestMinSizeUpdate();
  /// The document manager.
  WDocManager * GetDocManager() const;
  /// The time sheet window in front, null when there is none.
  WTimeSheetWindow * GetActiveTimeSheetWindow() const;

  /// Shows every time sheet window at once: one above the other (wxHORIZONTAL) or side by
  /// side (wxVERTICAL), the active one still active.
  void TileTimeSheets(wxOrientation inOrientation);
  /// Puts the time sheet windows back in front of one another, the active one on top.
  void CascadeTimeSheets();

private:
  void OnCloseWindow(wxCloseEvent & inEvent);
  void OnUpdateUnhandled(wxUpdateUIEvent & inEvent);
  void OnArrange(wxCommandEvent & inEvent);
  void OnUpdateArrange(wxUpdateUIEvent & inEvent);

  wxMenu * mRecentFileMenu = nullptr; // in the frame's own menu bar

  wxDECLARE_EVENT_TABLE();
};
