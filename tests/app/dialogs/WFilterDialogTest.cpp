// The filter dialog driven through its controls as a user does: the text it writes for
// every condition of every field, its rows, and the expression box.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/display.h>
#include <wx/textctrl.h>

#include "dialogs/WFilterDialog.h"
#include "view/ViewTestSupport.h"

namespace {

using D = WFilterDialog;

struct Driver {
  WFilterDialog & mDialog;

  wxChoice & List(int inRow, D::EControl inControl) const { return *mDialog.Control<wxChoice>(D::ControlId(inRow, inControl)); }
  wxTextCtrl & Box(int inId) const { return *mDialog.Control<wxTextCtrl>(inId); }
  std::string Expression() const { return Box(D::eExpressionBoxId).GetValue().utf8_string(); }
  /// Selects the entry with item data inData in a list of row inRow.
  void Select(int inRow, D::EControl inControl, int inData) {
    wxChoice & list = List(inRow, inControl);
    for (unsigned item = 0; item < list.GetCount(); ++item)
      if (reinterpret_cast<std::intptr_t>(list.GetClientData(item)) == inData)
        return list.SetSelection(static_cast<int>(item)), Send(list, wxEVT_CHOICE);
    ADD_FAILURE() << "no item " << inData << " in row " << inRow;
  }
  void Type(int inRow, const std::string & inText) { Box(D::ControlId(inRow, D::eValueBox)).SetValue(wxString::FromUTF8(inText)); }
  void Check(int inId, bool inChecked) {
    mDialog.Control<wxCheckBox>(inId)->SetValue(inChecked);
    Send(*mDialog.FindWindow(inId), wxEVT_CHECKBOX);
  }
  void Click(int inId) { Send(*mDialog.FindWindow(inId), wxEVT_BUTTON); }
  static void Send(wxWindow & inControl, wxEventType inType) {
    wxCommandEvent event(inType, inControl.GetId());
    event.SetEventObject(&inControl);
    inControl.GetEventHandler()->ProcessEvent(event);
  }
};

struct WFilterDialogTest : ::testing::Test {
  std::unique_ptr<WFilterDialog> mDialog = std::make_unique<WFilterDialog>(nullptr);
  Driver mDriver{*mDialog};
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
    EXPECT_TRUE(wxDisplay(0u).GetClientArea().Contains(mDialog->GetRect())) << "the dialog stays on the screen";
    mDriver.Click(D::ControlId(rows, D::eAddButton));
    expected += " AND job = \"\"";
  }
  EXPECT_EQ(mDialog->GetNumFilters(), 10) << "no eleventh row";
}

TEST_F(WFilterDialogTest, RowsJoinInOrderAHiddenRowKeepsItsContentsAndTypedTextLastsUntilARowChanges) {
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
  EXPECT_NE(viewtest::SaveScreenshot(mDialog.get(), "filter-dialog", true), ""); // the guide's picture
  mDialog->Hide();
  mDriver.Click(D::ControlId(3, D::eRemoveButton));

  mDriver.Check(D::ControlId(2, D::eRowCheck), false);
  mDriver.Click(D::ControlId(2, D::eRemoveButton));
  EXPECT_FALSE(mDialog->FindWindow(D::ControlId(2, D::eFieldList))->IsShown());
  EXPECT_FALSE(mDialog->FindWindow(wxID_OK)->IsEnabled()) << "no row checked, nothing to filter by";
  mDriver.Click(D::ControlId(1, D::eAddButton));
  EXPECT_EQ(mDriver.Expression(), "who = '**'") << "row 2 is back with its contents, checked";

  // The expression box can be edited until the next change to a row.
  mDriver.Box(D::eExpressionBoxId).SetValue("who = 'x*'");
  EXPECT_TRUE(mDialog->FindWindow(wxID_OK)->IsEnabled());
  mDriver.Check(D::eCaseBoxId, true);
  mDriver.Click(wxID_OK);
  EXPECT_EQ(mDialog->GetFilter(), "who = 'x*'");
  EXPECT_TRUE(mDialog->IsCaseSensitive());
  EXPECT_EQ(mDialog->GetReturnCode(), wxID_OK);
  mDriver.Type(2, "q");
  EXPECT_EQ(mDriver.Expression(), "who = '*q*'") << "a row change replaces typed text";
}

} // namespace
