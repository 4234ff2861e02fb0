// The column header: item geometry and hit testing, the hot, pressed and divider-drag
// states, and what it reports to its parent.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include <wx/frame.h>
#include <wx/headerctrl.h>
#include <wx/renderer.h>

#include "controls/WHeaderCtrl.h"
#include "support/GuiTestSupport.h"
#include "view/ViewTestSupport.h"

using namespace viewtest;

namespace {

// Notes the state each item was last drawn in.
class RecordingHeader : public WHeaderCtrl {
public:
  using WHeaderCtrl::WHeaderCtrl;

  std::map<int, int> mDrawnFlags; // item -> flags it was last drawn with

protected:
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
  EXPECT_EQ(mHeader->GetItemRect(1), wxRect(76, 0, 64, 20));
  // Either side of the Date/Duration divider at 76 is the divider of Date; past the last
  // item and outside the control is nothing; with Who hidden (width 0), left of its
  // divider is Duration's divider and right of it reopens Who.
  const struct {
    int mX, mY, mHidden, mItem, mFlags;
  } table[] = {
      {30, 10, -1, 0, WHeaderCtrl::eHitOnItem},    {74, 10, -1, 0, WHeaderCtrl::eHitOnDivider},
      {78, 10, -1, 0, WHeaderCtrl::eHitOnDivider}, {81, 10, -1, 1, WHeaderCtrl::eHitOnItem},
      {530, 10, -1, -1, WHeaderCtrl::eHitNowhere}, {30, 25, -1, -1, WHeaderCtrl::eHitNowhere},
      {138, 10, 2, 1, WHeaderCtrl::eHitOnDivider}, {141, 10, 2, 2, WHeaderCtrl::eHitOnDividerOpen},
  };
  for (const auto & row : table) {
    SCOPED_TRACE(testing::Message() << "x " << row.mX << " y " << row.mY);
    if (row.mHidden >= 0)
      mHeader->SetItemWidth(row.mHidden, 0);
    int flags = 0;
    EXPECT_EQ(mHeader->HitTest(wxPoint(row.mX, row.mY), &flags), row.mItem);
    EXPECT_EQ(flags, row.mFlags);
  }
}

TEST_F(HeaderTest, PressingAnItemDrawsItPressedUntilReleaseAndReportsTheClick) {
  Mouse(mHeader, wxEVT_MOTION, Middle(3));
  ASSERT_TRUE(mHeader->IsHot());
  Mouse(mHeader, wxEVT_LEFT_DOWN, Middle(3));
  EXPECT_TRUE(mHeader->IsPressed());
  EXPECT_FALSE(mHeader->IsTracking());
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
  // Leaving the header makes the hot item normal again.
  Mouse(mHeader, wxEVT_LEAVE_WINDOW, wxPoint(-5, 10));
  EXPECT_FALSE(mHeader->IsHot());
  EXPECT_TRUE(DrawnAs(1, 0));
}

TEST_F(HeaderTest, DraggingADividerResizesWithoutAPressedItem) {
  Mouse(mHeader, wxEVT_LEFT_DOWN, wxPoint(77, 10));
  EXPECT_TRUE(mHeader->IsTracking());
  EXPECT_FALSE(mHeader->IsPressed());
  for (int item = 0; item < 6; ++item)
    EXPECT_NE(mHeader->ItemDrawFlags(item), wxCONTROL_PRESSED);
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
