// The status line of a time sheet window: panes whose contents its owner draws.
#pragma once

#include <array>
#include <bitset>
#include <functional>

#include <wx/statusbr.h>

class WStatusBar : public wxStatusBar {
public:
  /// Draws pane inPane, whose rectangle is inRect, into inDC.
  using DrawItem = std::function<void(wxDC & inDC, int inPane, const wxRect & inRect)>;

  /// The pane count and the widths of the panes in pixels (-1 stretches).
  static constexpr int kPaneCount = 4;
  static constexpr std::array<int, kPaneCount> kPaneWidths = {11, 126, 110, -1};

  WStatusBar() = default;

  /// Creates the line with its four panes along the bottom of inParent.
  bool Create(wxWindow * inParent, wxWindowID inId);

  /// Installs the function that draws the panes' contents.
  void SetDrawItem(DrawItem inDrawItem) { mDrawItem = std::move(inDrawItem); }

  /// Repaints pane inPane once the program next waits for events (however often it is asked
  /// before then: a load asks once per entry).
  void RefreshPane(int inPane);
  /// How often pane inPane was asked to repaint.
  unsigned GetRefreshCount(int inPane) const { return mRefreshCounts.at(inPane); }

  /// Draws the whole line (background, pane borders and contents) into inDC.
  void DrawAll(wxDC & inDC);

private:
  void OnPaint(wxPaintEvent & inEvent);
  void OnSize(wxSizeEvent & inEvent);

  // Invalidates the panes asked for since the last time.
  void RefreshStalePanes();

  DrawItem mDrawItem;
  std::array<unsigned, kPaneCount> mRefreshCounts{};
  std::bitset<kPaneCount> mStalePanes;

  wxDECLARE_EVENT_TABLE();
};
