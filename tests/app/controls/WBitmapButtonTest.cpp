// The two-state bitmap button: pressing, tracking the cursor, releasing inside and outside,
// what the parent hears, and the drawing.
#include <gtest/gtest.h>

#include <vector>

#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/settings.h>

#include "controls/W2StateBitmapButton.h"
#include "support/GuiTestSupport.h"

namespace {

wxDEFINE_EVENT(TEST_BUTTON_MESSAGE, wxCommandEvent);

wxBitmap Solid(const wxColour & inColour) {
  wxBitmap bitmap(8, 8);
  wxMemoryDC dc(bitmap);
  dc.SetBackground(wxBrush(inColour));
  dc.Clear();
  return bitmap;
}

struct SHeard {
  int mId;
  bool mState2;
  bool mInside;
};

// A frame with a panel that records the buttons' messages.
class ButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    mFrame = new wxFrame(nullptr, wxID_ANY, "buttons", wxPoint(0, 0), wxSize(200, 120));
    mPanel = new wxPanel(mFrame);
    mPanel->Bind(TEST_BUTTON_MESSAGE, [this](wxCommandEvent & inEvent) {
      mHeard.push_back({inEvent.GetId(), W2StateBitmapButton::IsInState2(inEvent),
                        W2StateBitmapButton::WasInside(inEvent)});
    });
    mFrame->Show();
    guitest::Flush();
  }
  void TearDown() override {
    mFrame->Destroy();
    guitest::Flush();
  }

  static void Mouse(wxWindow & inButton, wxEventType inType, int inX, int inY) {
    wxMouseEvent event(inType);
    event.SetPosition(wxPoint(inX, inY));
    event.SetEventObject(&inButton);
    inButton.ProcessWindowEvent(event);
  }

  static void LoadColours(W2StateBitmapButton & ioButton) {
    ioButton.LoadBitmaps(Solid(*wxRED), Solid(*wxGREEN), Solid(*wxBLUE), Solid(*wxBLACK));
  }

  wxFrame * mFrame = nullptr;
  wxPanel * mPanel = nullptr;
  std::vector<SHeard> mHeard;
};

} // namespace

TEST_F(ButtonTest, APressFlipsTheStateOnlyWhenReleasedInsideAndTheParentAlwaysHears) {
  auto * button = new W2StateBitmapButton(TEST_BUTTON_MESSAGE, false, false);
  ASSERT_TRUE(button->Create(mPanel, 4711, wxPoint(10, 10), wxSize(16, 16)));
  EXPECT_EQ(button->GetImageIndex(), -1) << "nothing is drawn before all four pictures are there";
  LoadColours(*button);
  // Each step: the mouse event, then the picture shown, the state, and how many messages
  // the parent has heard. Pressed pictures: 3 in state 1, 2 in state 2.
  const struct {
    wxEventType mType;
    int mX, mY, mImage;
    bool mState2;
    std::size_t mHeard;
  } steps[] = {
      {wxEVT_LEFT_DOWN, 3, 3, 3, false, 0}, {wxEVT_MOTION, -5, 40, 0, false, 0}, // out: not pressed
      {wxEVT_LEFT_UP, -5, 40, 0, false, 1},                                      // released outside
      {wxEVT_LEFT_DOWN, 3, 3, 3, false, 1}, {wxEVT_LEFT_UP, 3, 3, 1, true, 2},    // inside: flips
      {wxEVT_LEFT_DOWN, 3, 3, 2, true, 2},  {wxEVT_MOTION, 30, 3, 1, true, 2},
      {wxEVT_MOTION, 4, 4, 2, true, 2},     {wxEVT_LEFT_UP, 4, 4, 0, false, 3},
  };
  int index = 0;
  for (const auto & step : steps) {
    SCOPED_TRACE(testing::Message() << "step " << index++);
    Mouse(*button, step.mType, step.mX, step.mY);
    EXPECT_EQ(button->GetImageIndex(), step.mImage);
    EXPECT_EQ(button->IsInState2(), step.mState2);
    EXPECT_EQ(button->HasCapture(), step.mType != wxEVT_LEFT_UP);
    ASSERT_EQ(mHeard.size(), step.mHeard);
  }
  EXPECT_EQ(mHeard[0].mId, 4711);
  EXPECT_FALSE(mHeard[0].mInside || mHeard[0].mState2);
  EXPECT_TRUE(mHeard[1].mInside && mHeard[1].mState2);
}

TEST_F(ButtonTest, OnTheSelectionColourThePictureIsCombinedWithItByAnd) {
  auto * button = new W2StateBitmapButton(TEST_BUTTON_MESSAGE, false, false);
  ASSERT_TRUE(button->Create(mPanel, wxID_ANY, wxPoint(10, 10), wxSize(16, 16)));
  const wxColour grey(0x90, 0x60, 0xF0);
  button->LoadBitmaps(Solid(grey), Solid(*wxWHITE), Solid(*wxWHITE), Solid(*wxWHITE));
  const auto render = [&] {
    wxBitmap bitmap(16, 16);
    {
      wxMemoryDC dc(bitmap);
      button->DrawItem(dc, wxRect(0, 0, 16, 16));
    }
    return bitmap.ConvertToImage();
  };
  wxImage plain = render();
  EXPECT_EQ(wxColour(plain.GetRed(8, 8), plain.GetGreen(8, 8), plain.GetBlue(8, 8)), grey);
  button->SetSelected(true);
  wxImage selected = render();
  const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
  EXPECT_EQ(selected.GetRed(8, 8), grey.Red() & highlight.Red());
  EXPECT_EQ(selected.GetGreen(8, 8), grey.Green() & highlight.Green());
  EXPECT_EQ(selected.GetBlue(8, 8), grey.Blue() & highlight.Blue());
  // The picture is stretched over the whole item.
  EXPECT_EQ(selected.GetRed(15, 15), selected.GetRed(0, 0));
}
