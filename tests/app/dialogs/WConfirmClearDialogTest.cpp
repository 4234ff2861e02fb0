// The clear confirmation in both forms, run modally: texts, buttons, the default button
// and the result of every way out.
#include <gtest/gtest.h>

#include <functional>

#include <wx/button.h>
#include <wx/stattext.h>

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

TEST(WConfirmClearDialog, ThePlainFormAsksWithDontClearAsTheDefault) {
  for (unsigned id : {16448u, 16449u}) {
    WConfirmClearDialog dialog(id, false, nullptr);
    EXPECT_EQ(dialog.GetTitle(), "Clear Time Sheet Window?");
    EXPECT_EQ(dialog.GetMessage(), id == 16448u ? "Are you sure that you want to clear the entire time sheet?"
                                                : "This time sheet contains unsaved data.  Are you sure that you "
                                                  "want to clear the entire time sheet?");
    ASSERT_NE(ButtonOf(dialog, wxID_OK), nullptr);
    ASSERT_NE(ButtonOf(dialog, wxID_CANCEL), nullptr);
    EXPECT_EQ(ButtonOf(dialog, wxID_OK)->GetLabel(), "Clear");
    EXPECT_EQ(ButtonOf(dialog, wxID_CANCEL)->GetLabel(), "Don't Clear");
    EXPECT_EQ(dialog.GetDefaultItem(), ButtonOf(dialog, wxID_CANCEL));
    // "Don't Clear" lies left of "Clear", both of one size.
    EXPECT_LT(ButtonOf(dialog, wxID_CANCEL)->GetPosition().x, ButtonOf(dialog, wxID_OK)->GetPosition().x);
    EXPECT_EQ(ButtonOf(dialog, wxID_CANCEL)->GetSize(), ButtonOf(dialog, wxID_OK)->GetSize());
    EXPECT_EQ(dialog.GetIconRect(), wxRect(dialog.ConvertDialogToPixels(wxPoint(14, 12)),
                                           dialog.ConvertDialogToPixels(wxSize(32, 32))));
  }
  WConfirmClearDialog clear(16448, false, nullptr);
  EXPECT_EQ(RunWith(clear, [&] { Click(clear, wxID_OK); }), wxID_OK);
  WConfirmClearDialog dont(16448, false, nullptr);
  EXPECT_EQ(RunWith(dont, [&] { Click(dont, wxID_CANCEL); }), wxID_CANCEL);
  WConfirmClearDialog escape(16449, false, nullptr);
  EXPECT_EQ(RunWith(escape, [&] { PressEscape(escape); }), wxID_CANCEL);
}

TEST(WConfirmClearDialog, TheMergeFormOffersSaveAndClearAsTheDefaultAndEndsWithTheButtonsId) {
  WConfirmClearDialog dialog(16457, true, nullptr);
  EXPECT_TRUE(dialog.IsMergeForm());
  EXPECT_EQ(dialog.GetMessage(), "The time sheets have been successfully merged.  It is strongly recommended that "
                                 "you save the new time sheet before clearing the original ones.");
  ASSERT_NE(ButtonOf(dialog, WConfirmClearDialog::eClear), nullptr);
  ASSERT_NE(ButtonOf(dialog, WConfirmClearDialog::eDontClear), nullptr);
  ASSERT_NE(ButtonOf(dialog, WConfirmClearDialog::eSaveAndClear), nullptr);
  EXPECT_EQ(ButtonOf(dialog, WConfirmClearDialog::eClear)->GetLabel(), "Clear");
  EXPECT_EQ(ButtonOf(dialog, WConfirmClearDialog::eDontClear)->GetLabel(), "Don't Clear");
  EXPECT_EQ(ButtonOf(dialog, WConfirmClearDialog::eSaveAndClear)->GetLabelText(), "Save & Clear");
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
