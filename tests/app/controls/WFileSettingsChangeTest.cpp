// A file setting chosen in the popup is a change to save only when it differs from the
// time sheet's current one.
#include <gtest/gtest.h>

#include "controls/WFileSettingsPopup.h"
#include "dates/SDateFormat.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "windows/WTimeSheetWindow.h"

using WFileSettingsChangeTest = TimeSheetFixture;

TEST_F(WFileSettingsChangeTest, OnlyANewLineBreakOrDateOrderMarksTheSheetChanged) {
  const SDateFormat system;
  const int otherOrder = system.GetFormat() == SDateFormat::eYMD ? WCommandIds::eDateFormatDMY
                                                                 : WCommandIds::eDateFormatYMD;
  const struct {
    const char * name;
    int id;
    bool changed;
  } cases[] = {
      {"the current line break", WCommandIds::eLineBreakDOS, false},
      {"the current date order", WCommandIds::eDateFormatSystem, false},
      {"the current order by its own name", WCommandIds::eDateFormatDMY + system.GetFormat(), false},
      {"another line break", WCommandIds::eLineBreakUNIX, true},
      {"another date order", otherOrder, true},
  };
  const std::string path = WriteSheetOf("week.txt", 2);
  for (const auto & c : cases) {
    SCOPED_TRACE(c.name);
    WTimeSheetDocument * document = Open(path);
    ASSERT_NE(document, nullptr);
    ASSERT_FALSE(document->IsModified());
    wxCommandEvent choice(wxEVT_MENU, c.id);
    document->GetTimeSheetWindow()->GetFileSettingsPopup().ProcessWindowEvent(choice);
    EXPECT_EQ(document->IsModified(), c.changed);
    guitest::CloseAllDocuments();
  }
}
