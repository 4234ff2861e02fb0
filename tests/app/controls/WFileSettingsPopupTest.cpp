// The file settings button: its menu, check marks, example dates, the tracking of an
// opening, and what a choice changes (the next save and the changed state).
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <string>

#include <wx/menu.h>

#include "controls/WFileSettingsPopup.h"
#include "dates/SCalendar.h"
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

int CurrentYear() {
  std::tm local{};
  SCalendar::LocalNow(local);
  return local.tm_year + 1900;
}

} // namespace

class WFileSettingsPopupTest : public TimeSheetFixture {
protected:
  WFileSettingsPopup & PopupOf(WTimeSheetDocument & inDocument) {
    return inDocument.GetTimeSheetWindow()->GetFileSettingsPopup();
  }
  // Presses the button, as the mouse does.
  static void Press(WFileSettingsPopup & inPopup) {
    wxMouseEvent press(wxEVT_LEFT_DOWN);
    press.SetPosition(wxPoint(5, 5));
    inPopup.ProcessWindowEvent(press);
  }
};

TEST_F(WFileSettingsPopupTest, TheMenuOffersTheLineBreaksAndTheDateOrdersWithExampleDates) {
  WTimeSheetDocument * document = Open(WriteSheetOf("week.txt", 2));
  ASSERT_NE(document, nullptr);
  WFileSettingsPopup & popup = PopupOf(*document);
  EXPECT_EQ(popup.GetSize(), wxSize(15, 15));
  EXPECT_FALSE(popup.IsUpdated());
  const std::string year = std::to_string(CurrentYear());
  Prompts().AnswerPopup([&](WFileSettingsPopup & inPopup, wxMenu & inMenu) {
    EXPECT_TRUE(inPopup.IsPressed());
    EXPECT_TRUE(inPopup.IsTracking());
    EXPECT_EQ(inMenu.GetLabel(WCommandIds::eLineBreakMac), "&Macintosh");
    EXPECT_EQ(inMenu.GetLabel(WCommandIds::eLineBreakDOS), "&Windows");
    EXPECT_EQ(inMenu.GetLabel(WCommandIds::eLineBreakUNIX), "&UNIX");
    EXPECT_EQ(inMenu.GetLabel(WCommandIds::eDateFormatDMY), "DMY (31/07/" + year + ")");
    EXPECT_EQ(inMenu.GetLabel(WCommandIds::eDateFormatDYM), "DYM (31/" + year + "/07)");
    EXPECT_EQ(inMenu.GetLabel(WCommandIds::eDateFormatMDY), "MDY (07/31/" + year + ")");
    EXPECT_EQ(inMenu.GetLabel(WCommandIds::eDateFormatMYD), "MYD (07/" + year + "/31)");
    EXPECT_EQ(inMenu.GetLabel(WCommandIds::eDateFormatYDM), "YDM (" + year + "/31/07)");
    EXPECT_EQ(inMenu.GetLabel(WCommandIds::eDateFormatYMD), "YMD (" + year + "/07/31)");
    EXPECT_TRUE(inMenu.GetLabel(WCommandIds::eDateFormatSystem).StartsWith("System Setting (" ));
    EXPECT_FALSE(inMenu.GetLabel(WCommandIds::eDateFormatSystem).Contains("%s"));
    // The file has Windows line breaks; its date order is the system's.
    EXPECT_EQ(Checked(inMenu), std::vector<int>({WCommandIds::eLineBreakDOS, WCommandIds::eDateFormatSystem}));
    Choose(inPopup, WCommandIds::eLineBreakUNIX);
  });
  popup.Press();
  EXPECT_TRUE(popup.IsUpdated());
  EXPECT_FALSE(popup.IsTracking());
  EXPECT_TRUE(guitest::WaitUntil([&] { return !popup.IsPressed(); }));
}

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

TEST_F(WFileSettingsPopupTest, TheSystemSettingIsCheckedWheneverTheOrderIsTheSystemsOwn) {
  WTimeSheetDocument * document = Open(WriteSheetOf("week.txt", 1));
  ASSERT_NE(document, nullptr);
  WFileSettingsPopup & popup = PopupOf(*document);
  const SDateFormat system;
  const int systemItem = WCommandIds::eDateFormatDMY + system.GetFormat();
  const int otherItem = system.GetFormat() == SDateFormat::eYMD ? WCommandIds::eDateFormatDMY : WCommandIds::eDateFormatYMD;

  // Choosing the system's order by its own name still checks "System Setting".
  Prompts().AnswerPopup([&](WFileSettingsPopup & inPopup, wxMenu &) { Choose(inPopup, systemItem); });
  popup.Press();
  Prompts().AnswerPopup([&](WFileSettingsPopup & inPopup, wxMenu & inMenu) {
    EXPECT_TRUE(inMenu.IsChecked(WCommandIds::eDateFormatSystem));
    EXPECT_FALSE(inMenu.IsChecked(systemItem));
    Choose(inPopup, otherItem);
  });
  popup.Press();
  EXPECT_EQ(STaskDocumentData(*document).GetDateFormat().GetFormat(), otherItem - WCommandIds::eDateFormatDMY);
  EXPECT_TRUE(document->IsModified()) << "a new date order is a change to save";
  Prompts().AnswerPopup([&](WFileSettingsPopup & inPopup, wxMenu & inMenu) {
    EXPECT_FALSE(inMenu.IsChecked(WCommandIds::eDateFormatSystem));
    EXPECT_TRUE(inMenu.IsChecked(otherItem));
    Choose(inPopup, WCommandIds::eDateFormatSystem);
  });
  popup.Press();
  EXPECT_EQ(STaskDocumentData(*document).GetDateFormat(), system);
}

TEST_F(WFileSettingsPopupTest, AMenuClosedWithoutAChoiceUsesUpTheNextPress) {
  WTimeSheetDocument * document = Open(WriteSheetOf("week.txt", 1));
  ASSERT_NE(document, nullptr);
  WFileSettingsPopup & popup = PopupOf(*document);
  Prompts().AnswerPopup([](WFileSettingsPopup &, wxMenu &) {});
  Press(popup);
  EXPECT_TRUE(popup.IsTracking());
  // This press only ends the tracking: no menu (the script has no answer for one).
  Press(popup);
  EXPECT_FALSE(popup.IsTracking());
  // The next one opens the menu again.
  bool opened = false;
  Prompts().AnswerPopup([&](WFileSettingsPopup & inPopup, wxMenu &) {
    opened = true;
    Choose(inPopup, WCommandIds::eLineBreakDOS);
  });
  Press(popup);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(popup.IsTracking());
}
