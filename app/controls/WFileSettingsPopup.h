// The small button at the left end of a time sheet's status line. It opens the file
// settings menu, where the user picks the line break and the date order the time sheet
// is written with. A choice that changes either marks the time sheet changed.
#pragma once

#include <functional>

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/menu.h>

#include "tasks/STaskDocumentData.h"
#include "tasks/STaskDocumentListener.h"
#include "tasks/STaskDocumentMessage.h"

class STaskDocument;

class WFileSettingsPopup : public wxControl, public STaskDocumentListener {
public:
  /// Shows inMenu for inPopup and returns when it has closed; menu choices arrive as menu
  /// commands at the button. Tests install their own to choose without a real menu.
  using PopupRunner = std::function<void(WFileSettingsPopup & inPopup, wxMenu & inMenu)>;

  /// A button for inDocument with the menu inMenuId (104).
  WFileSettingsPopup(STaskDocument & inDocument, unsigned inMenuId);

  /// Creates the window with its two pictures (at rest, pressed).
  bool Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPos, const wxSize & inSize,
              const wxBitmap & inUp, const wxBitmap & inDown);

  /// Ignored messages; the document's registration tells whether it is still there.
  void ListenToMessage(STaskDocumentMessage) override {}

  /// The menu (the one pop-up of the menu resource).
  wxMenu & GetMenu() { return mMenu; }
  /// True from opening the menu until a command is chosen or the next press.
  bool IsTracking() const { return mTracking; }
  /// True once the date-order items show their example dates.
  bool IsUpdated() const { return mUpdated; }
  /// True while drawn pressed.
  bool IsPressed() const { return mPressed; }

  /// Fills the example date into the texts of the date-order items of inMenu.
  void UpdateMenuContents(wxMenu & inMenu);
  /// Prepares the menu for showing: the example dates at the first time, then every
  /// item's check mark.
  void PrepareMenu(wxMenu & inMenu);

  /// The press: opens the menu, or only ends the tracking of the previous opening.
  void Press();

  /// The height in pixels that inMenu takes on screen when it opens (an estimate, never
  /// less than the toolkit's).
  static int MenuHeight(wxMenu & inMenu);
  /// The height inMenu had on screen the last time it was shown; 0 when not known.
  static int ShownMenuHeight(wxMenu & inMenu);

  /// Replaces the real popup menu (empty: the real one again); returns the one before.
  static PopupRunner SetPopupRunner(PopupRunner inRunner);

protected:
  wxSize DoGetBestSize() const override { return wxSize(15, 15); }
  bool AcceptsFocus() const override { return false; }

private:
  void OnLButtonDown(wxMouseEvent & inEvent);
  void OnPaint(wxPaintEvent & inEvent);
  void OnLineBreakCommandRange(wxCommandEvent & inEvent);
  void OnUpdateLineBreakCommandUIRange(wxUpdateUIEvent & inEvent);
  void OnDateFormatCommandRange(wxCommandEvent & inEvent);
  void OnUpdateDateFormatCommandUIRange(wxUpdateUIEvent & inEvent);
  // The document is still there (it unregisters everyone when it goes).
  bool HasDocument() const { return !GetBroadcasters().empty(); }

  wxMenu mMenu;
  STaskDocumentData mDocumentData;
  bool mTracking = false;
  bool mUpdated = false;
  bool mPressed = false;
  int mShownMenuHeight = 0; // the menu's height when it was last shown
  wxBitmap mUp;
  wxBitmap mDown;

  static PopupRunner sPopupRunner;

  wxDECLARE_EVENT_TABLE();
};
