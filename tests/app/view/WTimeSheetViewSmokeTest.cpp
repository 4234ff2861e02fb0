// First look at the view.
#include <gtest/gtest.h>

#include "support/GuiTestSupport.h"
#include "view/ViewTestSupport.h"
#include "views/WTimeSheetView.h"
#include "panes/WListListBox.h"

using namespace viewtest;

TEST(WTimeSheetViewSmoke, ShowsEntries) {
  ViewFrame f(SampleLines(40));
  EXPECT_EQ(f.view->ListBox()->GetItemCount(), 40u);
  SaveScreenshot(f.frame, "smoke-flat");
  f.Command(WTimeSheetView::eGroupByWhoCode);
  guitest::Flush();
  SaveScreenshot(f.frame, "smoke-grouped");
}
