// The small icon field in front of a time sheet's column header: unchanged, changed, or
// never saved. It repaints on every message of the document.
#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>

#include "tasks/STaskDocumentData.h"
#include "tasks/STaskDocumentListener.h"
#include "tasks/STaskDocumentMessage.h"

class WFileStatusCtrl : public wxControl, public STaskDocumentListener {
public:
  enum EIcon { eUntouched, eTouched, eNeverSaved };

  /// A control for the document behind inDocumentData (a handle it keeps a copy of);
  /// registers with the document.
  explicit WFileStatusCtrl(STaskDocumentData & inDocumentData);

  /// Creates the window: disabled, one item of 20 pixels.
  bool Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPos = wxDefaultPosition,
              const wxSize & inSize = wxSize(20, 20));

  /// Repaints the whole control.
  void ListenToMessage(STaskDocumentMessage inMessage) override;

  /// The icon the document's state calls for: unchanged when clean; otherwise changed when
  /// it has a file, never saved without one.
  EIcon GetIcon() const;
  /// How many document messages asked for a repaint.
  unsigned GetRepaintRequests() const { return mRepaintRequests; }

  /// Draws the item into inRect of inDC as the paint handler does.
  void DrawItem(wxDC & inDC, const wxRect & inRect);

protected:
  wxSize DoGetBestSize() const override { return wxSize(20, 20); }
  bool AcceptsFocus() const override { return false; }

private:
  void OnPaint(wxPaintEvent & inEvent);
  // The document is still there (it unregisters everyone when it goes).
  bool HasDocument() const { return !GetBroadcasters().empty(); }

  STaskDocumentData mDocumentData;
  wxBitmap mUntouchedIcon;
  wxBitmap mTouchedIcon;
  wxBitmap mNeverSavedIcon;
  unsigned mRepaintRequests = 0;

  wxDECLARE_EVENT_TABLE();
};
