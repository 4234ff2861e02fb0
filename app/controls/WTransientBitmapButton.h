// A two-state button that lives for one click: after the release it tells its parent
// and destroys itself.
#pragma once

#include "controls/W2StateBitmapButton.h"

class WTransientBitmapButton : public W2StateBitmapButton {
public:
  /// As W2StateBitmapButton. Create it with new: the window owns the object.
  WTransientBitmapButton(wxEventType inMessage, bool inState2, bool inSelected);

  /// Creates the window (without a background of its own).
  bool Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPos, const wxSize & inSize);

protected:
  void OnLButtonUp(wxMouseEvent & inEvent) override;
};
