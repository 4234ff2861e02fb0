// The clear confirmation after a merge, run modally: its texts, the default button and the
// result of every way out.
#include <gtest/gtest.h>

#include <functional>

#include <wx/button.h>

#include "dialogs/WConfirmClearDialog.h"
#include "support/GuiTestSupport.h"

namespace {

wxButton * ButtonOf(wxDialog & inDialog, int inId) { return dynamic_cast<wxButton *>(inDialog.FindWindow(inId)); }

// Runs inDialog modally and does inAction once it is up; returns its result.
int RunWith(wxDialog & inDialog, std::function<void()> inAction) {
  inDialog.CallAfter([&inDialog, inAction] {
    EXPECT_TRUE(inDialog.IsModal());
    inAction();
  });
  return inDialog.ShowModal();
}

void Click(wxDialog & inDialog, int inId) {
  wxButton * button = ButtonOf(inDialog, inId);
  ASSERT_NE(button, nullptr);
  wxCommandEvent click(wxEVT_BUTTON, inId);
  click.SetEventObject(button);
  button->ProcessWindowEvent(click);
}

void PressEscape(wxDialog & inDialog) {
  wxKeyEvent key(wxEVT_CHAR_HOOK);
  key.m_keyCode = WXK_ESCAPE;
  key.SetEventObject(&inDialog);
  inDialog.ProcessWindowEvent(key);
}

} // namespace

TEST(WConfirmClearDialog, TheMergeFormOffersSaveAndClearAsTheDefaultAndEndsWithTheButtonsId) {
  WConfirmClearDialog dialog(16457, true, nullptr);
  EXPECT_TRUE(dialog.IsMergeForm());
  EXPECT_EQ(dialog.GetMessage(), "The time sheets have been successfully merged.  It is strongly recommended that "
                                 "you save the new time sheet before clearing the original ones.");
  EXPECT_EQ(dialog.GetDefaultItem(), ButtonOf(dialog, WConfirmClearDialog::eSaveAndClear));
  EXPECT_EQ(dialog.FindWindow(wxID_CANCEL), nullptr);

  for (int id : {WConfirmClearDialog::eClear, WConfirmClearDialog::eDontClear, WConfirmClearDialog::eSaveAndClear}) {
    WConfirmClearDialog form(16456, true, nullptr);
    EXPECT_EQ(RunWith(form, [&] { Click(form, id); }), id);
  }
  WConfirmClearDialog escape(16456, true, nullptr);
  EXPECT_EQ(escape.GetMessage(), "The time sheet has been successfully merged.  It is strongly recommended that "
                                 "you save the new time sheet before clearing the original one.");
  EXPECT_EQ(RunWith(escape, [&] { PressEscape(escape); }), wxID_CANCEL);
  WConfirmClearDialog closed(16456, true, nullptr);
  EXPECT_EQ(RunWith(closed, [&] { closed.Close(); }), wxID_CANCEL);
}
