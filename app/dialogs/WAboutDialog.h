// Help > About: the program's picture with its version below, in a window without a title
// bar that closes on any mouse button or key.
#pragma once

#include <wx/dialog.h>

class WAboutDialog : public wxDialog {
public:
  /// The about box over inParent (null: no parent).
  explicit WAboutDialog(wxWindow * inParent);

  /// Runs the box modally (through WModalRunner) and returns the id it ended with (0).
  int DoModal();

  /// The rectangle the picture fills, in client coordinates.
  const wxRect & GetPictureRect() const { return mRect; }
  /// The version line as shown: the version, then two blanks.
  static wxString VersionText();
  /// Draws the picture into inRect of inDC (at any scale).
  static void DrawPicture(wxDC & inDC, const wxRect & inRect);

private:
  void OnPaint(wxPaintEvent & inEvent);
  // Any mouse button or key ends the box with 0.
  void OnMouseDown(wxMouseEvent & inEvent);
  void OnKey(wxKeyEvent & inEvent);

  wxRect mRect;
};
