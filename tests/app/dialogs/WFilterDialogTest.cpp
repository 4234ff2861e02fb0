// Tests of the filter dialog driven through its real controls: the text it writes for every
// condition of every kind of field, the rows' enabling, adding and removing rows, and the
// expression box.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <wx/display.h>

#include "support/FilterDialogDriver.h"
#include "support/Screenshot.h"

namespace {

using D = WFilterDialog;

class WFilterDialogTest : public ::testing::Test {
protected:
  std::unique_ptr<WFilterDialog> mDialog = std::make_unique<WFilterDialog>(nullptr);
  filtertest::Driver mDriver{*mDialog};
};

TEST_F(WFilterDialogTest, WritesEveryConditionOfEveryKindOfField) {
  // By condition index: the name shown and the text written for field F and value V.
  const char * names[] = {"Contains", "Does Not Contain", "Is Greater Than", "Is After", "Is Less Than", "Is Before",
                          "Is Greater Than Or Equal To", "Is On Or After", "Is Less Than Or Equal To",
                          "Is On Or Before", "Is", "Is Not", "Starts With"};
  const char * texts[] = {"F = '*V*'",   "NOT F = '*V*'", "F > \"V\"",  "F > \"V\"",     "F < \"V\"",
                          "F < \"V\"",   "F >= \"V\"",    "F >= \"V\"", "F <= \"V\"",    "F <= \"V\"",
                          "F = \"V\"",   "NOT F = \"V\"", "F = 'V*'"};
  const std::vector<int> date = {3, 5, 7, 9, 10, 11}, duration = {2, 4, 6, 8, 10, 11},
                         text = {0, 1, 2, 4, 6, 8, 10, 11, 12};
  const std::vector<std::pair<std::string, const std::vector<int> *>> fields = {
      {"date", &date}, {"duration", &duration}, {"who", &text}, {"job", &text}, {"code", &text}, {"description", &text}};
  // A value with a format's own marker and spaces is written exactly as typed.
  const std::string value = " 7%s x";
  mDriver.Type(1, value);
  for (int field = 0; field < 6; ++field) {
    SCOPED_TRACE(fields[field].first);
    mDriver.Select(1, D::eFieldList, field);
    wxChoice & list = mDriver.List(1, D::eConditionList);
    std::vector<std::string> shown, expected;
    for (unsigned item = 0; item < list.GetCount(); ++item)
      shown.push_back(list.GetString(item).utf8_string());
    for (int index : *fields[field].second)
      expected.push_back(names[index]);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(list.GetStringSelection(), "Is") << "a field change selects Is";
    EXPECT_EQ(mDriver.Box(D::ControlId(1, D::eValueBox)).GetValue(), value) << "and keeps the value";
    for (int index : *fields[field].second) {
      mDriver.Select(1, D::eConditionList, index);
      std::string written = texts[index];
      written.replace(written.find('F'), 1, fields[field].first);
      written.replace(written.find('V'), 1, value);
      EXPECT_EQ(mDriver.Expression(), written) << names[index];
    }
  }
}

TEST_F(WFilterDialogTest, StartsWithOneJobRowAndGrowsToTenRowsOnTheScreen) {
  EXPECT_EQ(mDriver.List(1, D::eFieldList).GetStringSelection(), "Job Number");
  EXPECT_FALSE(mDriver.List(1, D::eOperatorList).IsEnabled());
  EXPECT_EQ(mDialog->GetDefaultItem(), mDialog->FindWindow(wxID_OK));
  std::string expected = "job = \"\"";
  for (short rows = 1; rows <= D::sMaxFilters; ++rows) {
    SCOPED_TRACE(rows);
    EXPECT_EQ(mDialog->GetNumFilters(), rows);
    EXPECT_EQ(mDriver.Expression(), expected) << "a new row is checked and joins with And";
    for (int row = 1; row <= D::sMaxFilters; ++row) {
      EXPECT_EQ(mDialog->FindWindow(D::ControlId(row, D::eValueBox))->IsShown(), row <= rows);
      EXPECT_EQ(mDialog->FindWindow(D::ControlId(row, D::eAddButton))->IsEnabled(), row == rows && rows < 10);
      EXPECT_EQ(mDialog->FindWindow(D::ControlId(row, D::eRemoveButton))->IsEnabled(), row == rows && rows > 1);
    }
    EXPECT_EQ(mDialog->GetClientSize().y, mDialog->ConvertDialogToPixels(wxSize(0, 72 + 18 * rows)).y);
    EXPECT_TRUE(wxDisplay(0u).GetClientArea().Contains(mDialog->GetRect())) << "the dialog stays on the screen";
    mDriver.Click(D::ControlId(rows, D::eAddButton));
    expected += " AND job = \"\"";
  }
  EXPECT_EQ(mDialog->GetNumFilters(), 10) << "no eleventh row";
}

TEST_F(WFilterDialogTest, RowsJoinInOrderAndAHiddenRowKeepsItsContents) {
  mDriver.Select(1, D::eConditionList, D::eIsNot);
  mDriver.Type(1, "7");
  mDriver.Click(D::ControlId(1, D::eAddButton));
  mDriver.Select(2, D::eOperatorList, 1);
  mDriver.Select(2, D::eFieldList, 2);
  mDriver.Select(2, D::eConditionList, D::eContains);
  mDriver.Type(2, "ab");
  EXPECT_EQ(mDriver.Expression(), "NOT job = \"7\" OR who = '*ab*'");
  mDriver.Check(D::ControlId(1, D::eRowCheck), false);
  EXPECT_EQ(mDriver.Expression(), "who = '*ab*'") << "row 2 is the first row now";
  EXPECT_FALSE(mDriver.List(2, D::eOperatorList).IsEnabled());
  EXPECT_FALSE(mDriver.Box(D::ControlId(1, D::eValueBox)).IsEnabled());
  mDriver.Type(2, "");
  EXPECT_EQ(mDriver.Expression(), "who = '**'") << "Contains nothing matches everything";
  mDriver.Click(D::ControlId(2, D::eAddButton));
  mDriver.Select(3, D::eFieldList, 0);
  mDriver.Select(3, D::eConditionList, D::eIsOnOrAfter);
  mDriver.Type(3, "12/1/2013");
  mDialog->Move(0, 0);
  mDialog->Show();
  EXPECT_TRUE(guitest::SaveScreenshot(*mDialog, "filter-dialog.png")); // three rows, for a person to look at
  mDialog->Hide();
  mDriver.Click(D::ControlId(3, D::eRemoveButton));

  mDriver.Check(D::ControlId(2, D::eRowCheck), false);
  mDriver.Click(D::ControlId(2, D::eRemoveButton));
  EXPECT_FALSE(mDialog->FindWindow(D::ControlId(2, D::eFieldList))->IsShown());
  EXPECT_FALSE(mDialog->FindWindow(wxID_OK)->IsEnabled()) << "no row checked, nothing to filter by";
  mDriver.Click(D::ControlId(1, D::eAddButton));
  EXPECT_EQ(mDriver.Expression(), "who = '**'") << "row 2 is back with its contents, checked";
}

TEST_F(WFilterDialogTest, TheExpressionBoxIsEditableUntilTheNextRowChange) {
  mDriver.Box(D::eExpressionBoxId).SetValue("");
  EXPECT_FALSE(mDialog->FindWindow(wxID_OK)->IsEnabled());
  mDriver.Box(D::eExpressionBoxId).SetValue("who = 'x*'");
  EXPECT_TRUE(mDialog->FindWindow(wxID_OK)->IsEnabled());
  mDriver.Check(D::eCaseBoxId, true);
  mDriver.Click(wxID_OK);
  EXPECT_EQ(mDialog->GetFilter(), "who = 'x*'");
  EXPECT_TRUE(mDialog->IsCaseSensitive());
  EXPECT_EQ(mDialog->GetReturnCode(), wxID_OK);
  mDriver.Type(1, "5");
  EXPECT_EQ(mDriver.Expression(), "job = \"5\"") << "a row change replaces typed text";
}

} // namespace
