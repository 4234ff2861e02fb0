// The application starts and shows its main frame.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/frame.h>

#include "support/GuiTestSupport.h"

TEST(WTallyworthApp, StartsWithAShownTopLevelFrame) {
  guitest::Flush();
  wxWindow * top = wxTheApp->GetTopWindow();
  ASSERT_NE(top, nullptr);
  EXPECT_TRUE(top->IsShown());
  EXPECT_EQ(top->GetLabel(), "Tallyworth");
}
