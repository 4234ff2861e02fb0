// The main frame: the multiple-document frame that holds every time sheet window.
#pragma once

#include <wx/docmdi.h>

class WDocManager;

class WMainWindow : public wxDocMDIParentFrame {
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

private:
  void OnCloseWindow(wxCloseEvent & inEvent);
  void OnUpdateUnhandled(wxUpdateUIEvent & inEvent);

  wxDECLARE_EVENT_TABLE();
};
