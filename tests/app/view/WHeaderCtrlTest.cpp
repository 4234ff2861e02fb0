// The column header: item geometry and hit testing, the hot, pressed and divider-drag
// states, and what it reports to its parent.
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include <wx/frame.h>
#include <wx/headerctrl.h>
#include <wx/renderer.h>

#include "controls/WHeaderCtrl.h"
#include "support/GuiTestSupport.h"
#include "view/ViewTestSupport.h"

using namespace viewtest;

namespace {

// Notes every hot-item change and the state each item was last drawn in.
class RecordingHeader : public WHeaderCtrl {
public:
  using WHeaderCtrl::WHeaderCtrl;

  std::vector<std::pair<int, int>> mChanges; // (last, current) at each change
  std::map<int, int> mDrawnFlags;            // item -> flags it was last drawn with

protected:
  void CurrentHotIndexChanged() override {
    mChanges.emplace_back(mLastHotIndex, mCurrentHotIndex);
    WHeaderCtrl::CurrentHotIndexChanged();
  }
  void DrawItem(wxDC & ioDC, int inIndex) override {
    mDrawnFlags[inIndex] = ItemDrawFlags(inIndex);
    WHeaderCtrl::DrawItem(ioDC, inIndex);
  }
};

struct Report {
  wxEventType mType;
  int mColumn;
  int mWidth;
};

class HeaderTest : public testing::Test {
protected:
  void SetUp() override {
    mFrame = new wxFrame(nullptr, wxID_ANY, "Header", wxPoint(20, 20), wxSize(600, 120));
    mHeader = new RecordingHeader(mFrame, wxID_ANY, wxPoint(0, 0), wxSize(560, 20));
    const int widths[] = {76, 64, 48, 64, 48, 200};
    const char * titles[] = {"Date", "Duration", "Who", "Job", "Code", "Description"};
    for (int i = 0; i < 6; ++i) {
      mHeader->InsertItem(i, widths[i], titles[i]);
    }
    auto record = [this](wxHeaderCtrlEvent & inEvent) {
      mReports.push_back({inEvent.GetEventType(), inEvent.GetColumn(), inEvent.GetWidth()});
    };
    mFrame->Bind(wxEVT_HEADER_CLICK, record);
    mFrame->Bind(wxEVT_HEADER_RESIZING, record);
    mFrame->Bind(wxEVT_HEADER_END_RESIZE, record);
    // The frame's own sizing would stretch its only child: keep the header where it is.
    mFrame->SetSizer(nullptr);
    mFrame->Show();
    guitest::WaitUntil([this] { return mHeader->IsShownOnScreen(); });
    guitest::WaitUntil([this] { return mHeader->mDrawnFlags.size() == 6; });
    mHeader->SetSize(0, 0, 560, 20);
    guitest::Flush();
  }
  void TearDown() override {
    mFrame->Destroy();
    guitest::Flush();
  }

  // The middle of item `inItem`.
  wxPoint Middle(int inItem) const {
    const wxRect rect = mHeader->GetItemRect(inItem);
    return wxPoint(rect.x + rect.width / 2, 10);
  }

  bool DrawnAs(int inItem, int inFlags) {
    return guitest::WaitUntil([&] { return mHeader->mDrawnFlags[inItem] == inFlags; }, std::chrono::milliseconds(2000));
  }

  wxFrame * mFrame = nullptr;
  RecordingHeader * mHeader = nullptr;
  std::vector<Report> mReports;
};

} // namespace

TEST_F(HeaderTest, ItemsLieSideBySideAndHitTestFindsItemsAndDividers) {
  EXPECT_EQ(mHeader->GetItemRect(0), wxRect(0, 0, 76, 20));
  EXPECT_EQ(mHeader->GetItemRect(1), wxRect(76, 0, 64, 20));
  EXPECT_EQ(mHeader->GetItemRect(5), wxRect(300, 0, 200, 20));
  EXPECT_EQ(mHeader->GetItemText(2), "Who");
  EXPECT_EQ(mHeader->GetItemRect(6), wxRect());

  int flags = 0;
  EXPECT_EQ(mHeader->HitTest(wxPoint(30, 10), &flags), 0);
  EXPECT_EQ(flags, WHeaderCtrl::eHitOnItem);
  EXPECT_EQ(mHeader->HitTest(wxPoint(100, 10), &flags), 1);
  EXPECT_EQ(flags, WHeaderCtrl::eHitOnItem);
  // Either side of the Date/Duration divider at 76 is the divider of Date.
  EXPECT_EQ(mHeader->HitTest(wxPoint(74, 10), &flags), 0);
  EXPECT_EQ(flags, WHeaderCtrl::eHitOnDivider);
  EXPECT_EQ(mHeader->HitTest(wxPoint(78, 10), &flags), 0);
  EXPECT_EQ(flags, WHeaderCtrl::eHitOnDivider);
  EXPECT_EQ(mHeader->HitTest(wxPoint(81, 10), &flags), 1);
  EXPECT_EQ(flags, WHeaderCtrl::eHitOnItem);
  // Past the last item and outside the control: nothing.
  EXPECT_EQ(mHeader->HitTest(wxPoint(530, 10), &flags), -1);
  EXPECT_EQ(flags, WHeaderCtrl::eHitNowhere);
  EXPECT_EQ(mHeader->HitTest(wxPoint(30, 25), &flags), -1);

  // A hidden column: left of its divider is the divider of the column before, right of it
  // reopens the hidden one.
  mHeader->SetItemWidth(2, 0);
  EXPECT_EQ(mHeader->HitTest(wxPoint(138, 10), &flags), 1);
  EXPECT_EQ(flags, WHeaderCtrl::eHitOnDivider);
  EXPECT_EQ(mHeader->HitTest(wxPoint(141, 10), &flags), 2);
  EXPECT_EQ(flags, WHeaderCtrl::eHitOnDividerOpen);
}

TEST_F(HeaderTest, HoveringMakesTheItemHotAndLeavingMakesItNormalAgain) {
  ASSERT_TRUE(mHeader->IsThemed());
  Mouse(mHeader, wxEVT_MOTION, Middle(1));
  EXPECT_TRUE(mHeader->IsHot());
  EXPECT_EQ(mHeader->CurrentHotIndex(), 1);
  ASSERT_EQ(mHeader->mChanges.size(), 1u);
  EXPECT_EQ(mHeader->mChanges.back(), std::make_pair(-1, 1));
  EXPECT_TRUE(DrawnAs(1, wxCONTROL_CURRENT));
  EXPECT_EQ(mHeader->mDrawnFlags[0], 0);

  // Moving within the item changes nothing; to the next item redraws both.
  Mouse(mHeader, wxEVT_MOTION, Middle(1) + wxPoint(5, 0));
  EXPECT_EQ(mHeader->mChanges.size(), 1u);
  Mouse(mHeader, wxEVT_MOTION, Middle(2));
  ASSERT_EQ(mHeader->mChanges.size(), 2u);
  EXPECT_EQ(mHeader->mChanges.back(), std::make_pair(1, 2));
  EXPECT_TRUE(DrawnAs(2, wxCONTROL_CURRENT));
  EXPECT_TRUE(DrawnAs(1, 0));

  // Past the last item the last hot item stays hot.
  Mouse(mHeader, wxEVT_MOTION, wxPoint(540, 10));
  EXPECT_EQ(mHeader->CurrentHotIndex(), 2);

  Mouse(mHeader, wxEVT_LEAVE_WINDOW, wxPoint(-5, 10));
  EXPECT_FALSE(mHeader->IsHot());
  EXPECT_EQ(mHeader->CurrentHotIndex(), -1);
  EXPECT_EQ(mHeader->LastHotIndex(), 2);
  EXPECT_EQ(mHeader->mChanges.back(), std::make_pair(2, -1));
  EXPECT_TRUE(DrawnAs(2, 0));
}

TEST_F(HeaderTest, PressingAnItemDrawsItPressedUntilReleaseAndReportsTheClick) {
  Mouse(mHeader, wxEVT_MOTION, Middle(3));
  ASSERT_TRUE(mHeader->IsHot());
  Mouse(mHeader, wxEVT_LEFT_DOWN, Middle(3));
  EXPECT_TRUE(mHeader->IsPressed());
  EXPECT_FALSE(mHeader->IsTracking());
  EXPECT_FALSE(mHeader->IsHot());
  EXPECT_EQ(mHeader->CurrentHotIndex(), 3);
  EXPECT_EQ(mHeader->LastHotIndex(), -1);
  EXPECT_TRUE(DrawnAs(3, wxCONTROL_PRESSED));

  // While pressed, moving over other items does not make them hot.
  Mouse(mHeader, wxEVT_MOTION, Middle(4));
  EXPECT_EQ(mHeader->CurrentHotIndex(), 3);
  EXPECT_TRUE(mReports.empty());
  Mouse(mHeader, wxEVT_MOTION, Middle(3));

  Mouse(mHeader, wxEVT_LEFT_UP, Middle(3));
  EXPECT_FALSE(mHeader->IsPressed());
  EXPECT_TRUE(mHeader->IsHot());
  ASSERT_EQ(mReports.size(), 1u);
  EXPECT_EQ(mReports[0].mType, wxEVT_HEADER_CLICK);
  EXPECT_EQ(mReports[0].mColumn, 3);
  EXPECT_TRUE(DrawnAs(3, wxCONTROL_CURRENT));
  EXPECT_TRUE(guitest::WaitUntil([] { return wxWindow::GetCapture() == nullptr; }));

  // A press released over another item is no click.
  Mouse(mHeader, wxEVT_LEFT_DOWN, Middle(0));
  Mouse(mHeader, wxEVT_LEFT_UP, Middle(1));
  EXPECT_EQ(mReports.size(), 1u);
}

TEST_F(HeaderTest, DraggingADividerResizesWithoutAPressedItem) {
  Mouse(mHeader, wxEVT_LEFT_DOWN, wxPoint(77, 10));
  EXPECT_TRUE(mHeader->IsTracking());
  EXPECT_FALSE(mHeader->IsPressed());
  for (int item = 0; item < 6; ++item) {
    EXPECT_NE(mHeader->ItemDrawFlags(item), wxCONTROL_PRESSED);
  }
  Mouse(mHeader, wxEVT_MOTION, wxPoint(82, 10));
  EXPECT_EQ(mHeader->GetItemWidth(0), 81);
  Mouse(mHeader, wxEVT_MOTION, wxPoint(87, 10));
  EXPECT_EQ(mHeader->GetItemWidth(0), 86);
  EXPECT_EQ(mHeader->GetItemRect(1).x, 86);
  Mouse(mHeader, wxEVT_LEFT_UP, wxPoint(87, 10));
  EXPECT_FALSE(mHeader->IsTracking());

  ASSERT_EQ(mReports.size(), 3u);
  EXPECT_EQ(mReports[0].mType, wxEVT_HEADER_RESIZING);
  EXPECT_EQ(mReports[0].mWidth, 81);
  EXPECT_EQ(mReports[1].mWidth, 86);
  EXPECT_EQ(mReports[2].mType, wxEVT_HEADER_END_RESIZE);
  EXPECT_EQ(mReports[2].mColumn, 0);
  EXPECT_EQ(mReports[2].mWidth, 86);

  // A column dragged narrower than nothing stops at 0.
  mReports.clear();
  Mouse(mHeader, wxEVT_LEFT_DOWN, wxPoint(86 + 64, 10));
  Mouse(mHeader, wxEVT_LEFT_UP, wxPoint(10, 10));
  EXPECT_EQ(mHeader->GetItemWidth(1), 0);
  ASSERT_FALSE(mReports.empty());
  EXPECT_EQ(mReports.back().mType, wxEVT_HEADER_END_RESIZE);
  EXPECT_EQ(mReports.back().mWidth, 0);
}

TEST_F(HeaderTest, WithoutVisualStylesThereIsNoHotItemAndTheTextSitsAtFourAndTwo) {
  mHeader->SetThemed(false);
  Mouse(mHeader, wxEVT_MOTION, Middle(1));
  EXPECT_FALSE(mHeader->IsHot());
  EXPECT_EQ(mHeader->CurrentHotIndex(), -1);
  EXPECT_TRUE(mHeader->mChanges.empty());

  mHeader->Refresh();
  guitest::Flush();
  const wxImage image = Capture(mHeader);
  // The darkest pixels of "Date" in item 0 (above the frame's bottom line) start 4 pixels in
  // and 2 pixels down at the least.
  int firstX = 1000;
  int firstY = 1000;
  for (int y = 0; y < 16; ++y) {
    for (int x = 1; x < 70; ++x) {
      if (image.GetRed(x, y) < 80 && image.GetGreen(x, y) < 80 && image.GetBlue(x, y) < 80) {
        firstX = std::min(firstX, x);
        firstY = std::min(firstY, y);
      }
    }
  }
  EXPECT_GE(firstX, 4);
  EXPECT_LE(firstX, 6);
  EXPECT_GE(firstY, 2);
  EXPECT_LE(firstY, 8);
}
