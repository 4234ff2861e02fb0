// The two-state bitmap button and the transient one: pressing, tracking the cursor,
// releasing inside and outside, what the parent hears, and the drawing.
#include <gtest/gtest.h>

#include <vector>

#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/weakref.h>

#include "controls/W2StateBitmapButton.h"
#include "controls/WTransientBitmapButton.h"
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
  EXPECT_EQ(button->GetImageIndex(), 0);

  // Pressed inside, dragged out, released outside: no flip, the parent hears "outside".
  Mouse(*button, wxEVT_LEFT_DOWN, 3, 3);
  EXPECT_TRUE(button->IsButtonDown());
  EXPECT_TRUE(button->HasCapture());
  EXPECT_EQ(button->GetImageIndex(), 3); // state 1, pressed
  Mouse(*button, wxEVT_MOTION, -5, 40);
  EXPECT_FALSE(button->IsInside());
  EXPECT_EQ(button->GetImageIndex(), 0); // not pressed while outside
  Mouse(*button, wxEVT_LEFT_UP, -5, 40);
  EXPECT_FALSE(button->IsInState2());
  EXPECT_FALSE(button->IsButtonDown());
  EXPECT_FALSE(button->HasCapture());
  ASSERT_EQ(mHeard.size(), 1u);
  EXPECT_EQ(mHeard[0].mId, 4711);
  EXPECT_FALSE(mHeard[0].mInside);
  EXPECT_FALSE(mHeard[0].mState2);

  // Pressed and released inside: flips to state 2.
  Mouse(*button, wxEVT_LEFT_DOWN, 3, 3);
  Mouse(*button, wxEVT_LEFT_UP, 3, 3);
  EXPECT_TRUE(button->IsInState2());
  EXPECT_EQ(button->GetImageIndex(), 1);
  ASSERT_EQ(mHeard.size(), 2u);
  EXPECT_TRUE(mHeard[1].mInside);
  EXPECT_TRUE(mHeard[1].mState2);

  // In state 2, pressed shows the third picture; released inside flips back.
  Mouse(*button, wxEVT_LEFT_DOWN, 3, 3);
  EXPECT_EQ(button->GetImageIndex(), 2);
  Mouse(*button, wxEVT_MOTION, 30, 3);
  Mouse(*button, wxEVT_MOTION, 4, 4);
  EXPECT_EQ(button->GetImageIndex(), 2);
  Mouse(*button, wxEVT_LEFT_UP, 4, 4);
  EXPECT_FALSE(button->IsInState2());
  EXPECT_EQ(mHeard.size(), 3u);
}

TEST_F(ButtonTest, WithoutAMessageTheParentHearsNothing) {
  auto * button = new W2StateBitmapButton(wxEVT_NULL, true, false);
  ASSERT_TRUE(button->Create(mPanel, wxID_ANY, wxPoint(10, 10), wxSize(16, 16)));
  LoadColours(*button);
  Mouse(*button, wxEVT_LEFT_DOWN, 3, 3);
  Mouse(*button, wxEVT_LEFT_UP, 3, 3);
  EXPECT_FALSE(button->IsInState2());
  EXPECT_TRUE(mHeard.empty());
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

TEST_F(ButtonTest, ATransientButtonTellsItsParentAndThenGoes) {
  auto * button = new WTransientBitmapButton(TEST_BUTTON_MESSAGE, true, false);
  ASSERT_TRUE(button->Create(mPanel, 815, wxPoint(10, 10), wxSize(16, 16)));
  LoadColours(*button);
  wxWeakRef<wxWindow> alive(button);
  Mouse(*button, wxEVT_LEFT_DOWN, 3, 3);
  Mouse(*button, wxEVT_LEFT_UP, 3, 3);
  ASSERT_EQ(mHeard.size(), 1u);
  EXPECT_EQ(mHeard[0].mId, 815);
  EXPECT_FALSE(mHeard[0].mState2);
  EXPECT_TRUE(mHeard[0].mInside);
  EXPECT_TRUE(guitest::WaitUntil([&] { return alive.get() == nullptr; }));

  // Released outside it goes as well, after telling the parent.
  button = new WTransientBitmapButton(TEST_BUTTON_MESSAGE, false, false);
  ASSERT_TRUE(button->Create(mPanel, 816, wxPoint(10, 10), wxSize(16, 16)));
  LoadColours(*button);
  alive = button;
  Mouse(*button, wxEVT_LEFT_DOWN, 3, 3);
  Mouse(*button, wxEVT_LEFT_UP, 50, 50);
  ASSERT_EQ(mHeard.size(), 2u);
  EXPECT_FALSE(mHeard[1].mInside);
  EXPECT_FALSE(mHeard[1].mState2);
  EXPECT_TRUE(guitest::WaitUntil([&] { return alive.get() == nullptr; }));

  // One whose parent goes first is taken down with it, once.
  button = new WTransientBitmapButton(TEST_BUTTON_MESSAGE, false, false);
  ASSERT_TRUE(button->Create(mPanel, 817, wxPoint(10, 10), wxSize(16, 16)));
  Mouse(*button, wxEVT_LEFT_DOWN, 3, 3);
  Mouse(*button, wxEVT_LEFT_UP, 3, 3);
  mPanel->DestroyChildren();
  guitest::Flush();
}
