// The file settings button of a time sheet's status line.
#include "controls/WFileSettingsPopup.h"

#include <algorithm>
#include <ctime>
#include <utility>

#include <wx/dcbuffer.h>

#if defined(__WXGTK__)
#include <dlfcn.h>
#endif
#include <wx/settings.h>

#include "dates/SCalendar.h"
#include "dates/SDateFormat.h"
#include "dates/SDateString.h"
#include "files/SLineBreakFormat.h"
#include "resources/WCommandIds.h"
#include "resources/WMenus.h"
#include "resources/WStringTable.h"
#include "tasks/STaskDocument.h"

wxBEGIN_EVENT_TABLE(WFileSettingsPopup, wxControl)
  EVT_LEFT_DOWN(WFileSettingsPopup::OnLButtonDown)
  EVT_LEFT_DCLICK(WFileSettingsPopup::OnLButtonDown)
  EVT_PAINT(WFileSettingsPopup::OnPaint)
  EVT_MENU_RANGE(WCommandIds::eLineBreakMac, WCommandIds::eLineBreakUNIX,
                 WFileSettingsPopup::OnLineBreakCommandRange)
  EVT_UPDATE_UI_RANGE(WCommandIds::eLineBreakMac, WCommandIds::eLineBreakUNIX,
                      WFileSettingsPopup::OnUpdateLineBreakCommandUIRange)
  EVT_MENU_RANGE(WCommandIds::eDateFormatSystem, WCommandIds::eDateFormatYMD,
                 WFileSettingsPopup::OnDateFormatCommandRange)
  EVT_UPDATE_UI_RANGE(WCommandIds::eDateFormatSystem, WCommandIds::eDateFormatYMD,
                      WFileSettingsPopup::OnUpdateDateFormatCommandUIRange)
wxEND_EVENT_TABLE()

WFileSettingsPopup::PopupRunner WFileSettingsPopup::sPopupRunner;

namespace {

#if defined(__WXGTK__)
// A call of the toolkit, looked up at run time (its headers are not needed to build).
template <class Function>
Function ToolkitCall(const char * inName) {
  return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, inName));
}
#endif

} // namespace

int WFileSettingsPopup::MenuHeight(wxMenu & inMenu) {
  // An estimate from the items: the toolkit's own answer before the menu was ever shown
  // falls short of what it shows.
  int height = 10;
  for (const wxMenuItem * item : inMenu.GetMenuItems())
    height += item->IsSeparator() ? 9 : 25;
#if defined(__WXGTK__)
  static const auto sPreferredHeight = ToolkitCall<void (*)(void *, int *, int *)>("gtk_widget_get_preferred_height");
  if (sPreferredHeight != nullptr && inMenu.m_menu != nullptr) {
    int minimum = 0;
    int natural = 0;
    sPreferredHeight(inMenu.m_menu, &minimum, &natural);
    height = std::max(height, natural);
  }
#endif
  return height;
}

int WFileSettingsPopup::ShownMenuHeight(wxMenu & inMenu) {
#if defined(__WXGTK__)
  static const auto sToplevel = ToolkitCall<void * (*)(void *)>("gtk_widget_get_toplevel");
  static const auto sAllocatedHeight = ToolkitCall<int (*)(void *)>("gtk_widget_get_allocated_height");
  if (sToplevel != nullptr && sAllocatedHeight != nullptr && inMenu.m_menu != nullptr)
    return std::max(sAllocatedHeight(sToplevel(inMenu.m_menu)), 0);
#else
  (void)inMenu;
#endif
  return 0;
}

WFileSettingsPopup::WFileSettingsPopup(STaskDocument & inDocument, unsigned inMenuId)
    : mDocumentData(inDocument) {
  WMenus::FillMenu(mMenu, inMenuId);
  inDocument.AddListener(this);
}

bool WFileSettingsPopup::Create(wxWindow * inParent, wxWindowID inId, const wxPoint & inPos,
                                const wxSize & inSize, const wxBitmap & inUp,
                                const wxBitmap & inDown) {
  mUp = inUp;
  mDown = inDown;
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  return wxControl::Create(inParent, inId, inPos, inSize, wxBORDER_NONE);
}

WFileSettingsPopup::PopupRunner WFileSettingsPopup::SetPopupRunner(PopupRunner inRunner) {
  return std::exchange(sPopupRunner, std::move(inRunner));
}

void WFileSettingsPopup::OnLButtonDown(wxMouseEvent &) { Press(); }

void WFileSettingsPopup::Press() {
  if (mTracking) {
    // The press that follows a menu closed without a choice only ends that opening.
    mTracking = false;
    return;
  }
  if (!HasDocument() || mMenu.GetMenuItemCount() == 0)
    return;
  mPressed = true;
  Refresh();
  Update();
  mTracking = true;
  PrepareMenu(mMenu);
  if (sPopupRunner) {
    sPopupRunner(*this, mMenu);
  } else {
    // The menu opens upward: its bottom edge just above the button, clear of the status
    // line below.
    const int frame = wxSystemSettings::GetMetric(wxSYS_EDGE_Y, this);
    const int height = mShownMenuHeight > 0 ? mShownMenuHeight : MenuHeight(mMenu);
    PopupMenu(&mMenu, wxPoint(0, -(frame > 0 ? frame : 1) - height));
    // Once shown, the menu's own height is known for the next time.
    mShownMenuHeight = ShownMenuHeight(mMenu);
  }
  // Back to the look at rest once the menu has gone.
  CallAfter([this] {
    mPressed = false;
    Refresh();
  });
}

void WFileSettingsPopup::UpdateMenuContents(wxMenu & inMenu) {
  // The example date: 31 July of the current year.
  std::tm local{};
  SCalendar::LocalNow(local);
  const SDate example =
      SDateString::DateFromComponents(31, 7, static_cast<std::uint32_t>(local.tm_year + 1900));
  for (int id = WCommandIds::eDateFormatSystem; id <= WCommandIds::eDateFormatYMD; ++id) {
    wxMenuItem * item = inMenu.FindItem(id);
    if (item == nullptr)
      continue;
    const SDateFormat order = id == WCommandIds::eDateFormatSystem
                                  ? SDateFormat()
                                  : SDateFormat(static_cast<SDateFormat::EFormat>(
                                        id - WCommandIds::eDateFormatDMY + SDateFormat::eDMY));
    const SDateString text(example, order, true);
    wxString label = item->GetItemLabel();
    label.Replace("%s", wxString::FromUTF8(text.c_str()), false);
    item->SetItemLabel(label);
  }
}

void WFileSettingsPopup::PrepareMenu(wxMenu & inMenu) {
  if (!mUpdated) {
    UpdateMenuContents(inMenu);
    mUpdated = true;
  }
  inMenu.UpdateUI(GetEventHandler());
}

void WFileSettingsPopup::OnLineBreakCommandRange(wxCommandEvent & inEvent) {
  mTracking = false;
  if (!HasDocument())
    return;
  SLineBreakFormat::EFormat format = SLineBreakFormat::eDOS;
  switch (inEvent.GetId()) {
  case WCommandIds::eLineBreakMac:
    format = SLineBreakFormat::eMac;
    break;
  case WCommandIds::eLineBreakUNIX:
    format = SLineBreakFormat::eUNIX;
    break;
  default:
    break;
  }
  if (mDocumentData.GetLineBreakFormat().GetFormat() == format)
    return;
  mDocumentData.SetLineBreakFormat(SLineBreakFormat(format));
  // The time sheet is to be written differently: closing it must offer to save.
  mDocumentData.GetDocument()->SetDirty();
}

void WFileSettingsPopup::OnUpdateLineBreakCommandUIRange(wxUpdateUIEvent & inEvent) {
  if (!HasDocument()) {
    inEvent.Enable(false);
    return;
  }
  const SLineBreakFormat::EFormat format = mDocumentData.GetLineBreakFormat().GetFormat();
  bool checked = false;
  switch (inEvent.GetId()) {
  case WCommandIds::eLineBreakMac:
    checked = format == SLineBreakFormat::eMac;
    break;
  case WCommandIds::eLineBreakDOS:
    checked = format != SLineBreakFormat::eMac && format != SLineBreakFormat::eUNIX;
    break;
  case WCommandIds::eLineBreakUNIX:
    checked = format == SLineBreakFormat::eUNIX;
    break;
  default:
    break;
  }
  inEvent.Enable(true);
  inEvent.Check(checked);
}

void WFileSettingsPopup::OnDateFormatCommandRange(wxCommandEvent & inEvent) {
  mTracking = false;
  if (!HasDocument())
    return;
  const int id = inEvent.GetId();
  const SDateFormat order = id == WCommandIds::eDateFormatSystem
                                ? SDateFormat()
                                : SDateFormat(static_cast<SDateFormat::EFormat>(
                                      id - WCommandIds::eDateFormatDMY + SDateFormat::eDMY));
  if (mDocumentData.GetDateFormat() == order)
    return;
  mDocumentData.SetDateFormat(order);
  mDocumentData.GetDocument()->SetDirty();
}

void WFileSettingsPopup::OnUpdateDateFormatCommandUIRange(wxUpdateUIEvent & inEvent) {
  if (!HasDocument()) {
    inEvent.Enable(false);
    return;
  }
  const SDateFormat system;
  const SDateFormat current = mDocumentData.GetDateFormat();
  const int id = inEvent.GetId();
  bool checked;
  if (id == WCommandIds::eDateFormatSystem)
    checked = current == system;
  else
    checked = current != system &&
              current.GetFormat() == id - WCommandIds::eDateFormatDMY + SDateFormat::eDMY;
  inEvent.Enable(true);
  inEvent.Check(checked);
}

void WFileSettingsPopup::OnPaint(wxPaintEvent &) {
  wxAutoBufferedPaintDC dc(this);
  const wxSize size = GetClientSize();
  dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.DrawRectangle(0, 0, size.x, size.y);
  const wxBitmap & bitmap = mPressed ? mDown : mUp;
  if (bitmap.IsOk())
    dc.DrawBitmap(bitmap, 0, 0, true);
}
