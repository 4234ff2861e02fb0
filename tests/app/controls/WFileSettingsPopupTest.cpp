// The file settings button: its check marks, and what a choice changes (the next save, and
// the changed state only when the setting differs from the time sheet's current one).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <wx/menu.h>

#include "controls/WFileSettingsPopup.h"
#include "dates/SDateFormat.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "windows/WTimeSheetWindow.h"

namespace {

// What a menu shows: the checked items' ids, in menu order.
std::vector<int> Checked(wxMenu & inMenu) {
  std::vector<int> ids;
  for (wxMenuItem * item : inMenu.GetMenuItems())
    if (item->IsCheckable() && item->IsChecked())
      ids.push_back(item->GetId());
  return ids;
}

void Choose(WFileSettingsPopup & inPopup, int inId) {
  wxCommandEvent command(wxEVT_MENU, inId);
  command.SetEventObject(&inPopup);
  inPopup.ProcessWindowEvent(command);
}

} // namespace

class WFileSettingsPopupTest : public TimeSheetFixture {
protected:
  WFileSettingsPopup & PopupOf(WTimeSheetDocument & inDocument) {
    return inDocument.GetTimeSheetWindow()->GetFileSettingsPopup();
  }
};

TEST_F(WFileSettingsPopupTest, TheChosenLineBreakIsCheckedNextTimeAndUsedByTheNextSave) {
  const std::string path = WriteSheet("week.txt", {guitest::Line("03/02/2026", "1:00", "AB", "1", "1", "one"),
                                                   guitest::Line("03/03/2026", "2:00", "CD", "2", "2", "two")});
  WTimeSheetDocument * document = Open(path);
  ASSERT_NE(document, nullptr);
  WFileSettingsPopup & popup = PopupOf(*document);
  EXPECT_FALSE(STaskDocumentData(*document).GetIsDirty());

  Prompts().AnswerPopup([](WFileSettingsPopup & inPopup, wxMenu &) { Choose(inPopup, WCommandIds::eLineBreakUNIX); });
  popup.Press();
  EXPECT_TRUE(document->IsModified()) << "a new line break is a change to save";
  Prompts().AnswerPopup([](WFileSettingsPopup & inPopup, wxMenu & inMenu) {
    EXPECT_TRUE(inMenu.IsChecked(WCommandIds::eLineBreakUNIX));
    EXPECT_FALSE(inMenu.IsChecked(WCommandIds::eLineBreakDOS));
    EXPECT_FALSE(inMenu.IsChecked(WCommandIds::eLineBreakMac));
    Choose(inPopup, WCommandIds::eLineBreakUNIX);
  });
  popup.Press();

  guitest::Command(wxID_SAVE);
  const std::string unix = Bytes(path);
  EXPECT_EQ(unix.find('\r'), std::string::npos);
  EXPECT_EQ(std::count(unix.begin(), unix.end(), '\n'), 2);

  Prompts().AnswerPopup([](WFileSettingsPopup & inPopup, wxMenu &) { Choose(inPopup, WCommandIds::eLineBreakMac); });
  popup.Press();
  guitest::Command(wxID_SAVE);
  const std::string mac = Bytes(path);
  EXPECT_EQ(mac.find('\n'), std::string::npos);
  EXPECT_EQ(std::count(mac.begin(), mac.end(), '\r'), 2);

  // A line-break format the program does not know shows as Windows.
  STaskDocumentData(*document).SetLineBreakFormat(SLineBreakFormat(static_cast<SLineBreakFormat::EFormat>(7)));
  Prompts().AnswerPopup([](WFileSettingsPopup &, wxMenu & inMenu) {
    EXPECT_EQ(Checked(inMenu)[0], WCommandIds::eLineBreakDOS);
  });
  popup.Press();
  popup.Press(); // the opening above ended without a choice
}

TEST_F(WFileSettingsPopupTest, OnlyANewLineBreakOrDateOrderMarksTheSheetChanged) {
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
