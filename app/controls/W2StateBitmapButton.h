// A button with two states (such as ascending and descending) drawn with four pictures.
// A click flips the state and tells the parent.
#pragma once

#include <array>

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/event.h>
#include <wx/image.h>

class W2StateBitmapButton : public wxControl {
public:
  /// A button in state 2 when inState2; drawn on the selection colour when inSelected.
  /// When the mouse is released, the parent receives a wxCommandEvent of type inMessage
  /// (wxEVT_NULL sends nothing) with the button's id; see IsInState2 and WasInside.
  W2StateBitmapButton(wxEventType inMessage, bool inState2, bool inSelected);

  /// Creates the window.
  bool Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPos, const wxSize & inSize);

  /// The four pictures: state 1, state 2, state 2 pressed, state 1 pressed. Nothing is
  /// drawn unless all four are valid.
  void LoadBitmaps(const wxBitmap & inFirst, const wxBitmap & inSecond, const wxBitmap & inThird,
                   const wxBitmap & inFourth);

  /// True in the second state.
  bool IsInState2() const { return mInState2; }
  void SetInState2(bool inState2);
  /// True while drawn on the selection colour.
  bool IsSelected() const { return mSelected; }
  void SetSelected(bool inSelected);
  /// True while the left button is down on the button.
  bool IsButtonDown() const { return mButtonDown; }
  /// True while the cursor is inside at a press or movement.
  bool IsInside() const { return mInside; }

  /// The state after the click, from a notification of this class.
  static bool IsInState2(const wxCommandEvent & inEvent) { return inEvent.GetInt() != 0; }
  /// Whether the mouse was released inside, from a notification of this class.
  static bool WasInside(const wxCommandEvent & inEvent) { return inEvent.GetExtraLong() != 0; }

  /// The picture for the current state and press (0 to 3 as given to LoadBitmaps), or -1
  /// when not all four are loaded.
  int GetImageIndex() const;
  /// Draws the button into inRect of inDC as the paint handler does.
  void DrawItem(wxDC & inDC, const wxRect & inRect) const;

protected:
  wxSize DoGetBestSize() const override;
  bool AcceptsFocus() const override { return false; }

  void OnLButtonDown(wxMouseEvent & inEvent);
  virtual void OnLButtonUp(wxMouseEvent & inEvent);
  void OnMouseMove(wxMouseEvent & inEvent);
  void OnCaptureLost(wxMouseCaptureLostEvent & inEvent);
  void OnPaint(wxPaintEvent & inEvent);

  /// The release: flips the state when pressed inside, ends the press and tells the parent.
  void HandleRelease();

private:
  wxEventType mMessage;
  bool mInState2;
  bool mButtonDown = false;
  bool mInside = false;
  bool mSelected;
  std::array<wxImage, 4> mImages;

  wxDECLARE_EVENT_TABLE();
};
