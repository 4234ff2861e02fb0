// What the user meets around a time sheet's window: status panes whose label and value
// never run together, the file settings menu opening upward, failure boxes with their icon,
// a visible default button, and the window in front after opening several files.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "controls/WFileSettingsPopup.h"
#include "dialogs/WConfirmClearDialog.h"
#include "documents/WDocManager.h"
#include "other/WFonts.h"
#include "other/WMessageBox.h"
#include "panes/WStatusBar.h"
#include "support/TimeSheetFixture.h"
#include "view/ViewTestSupport.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

namespace {

wxImage ScreenImage(const wxRect & inRect) {
  wxBitmap shot(inRect.width, inRect.height);
  {
    wxScreenDC screen;
    wxMemoryDC memory(shot);
    memory.Blit(0, 0, inRect.width, inRect.height, &screen, inRect.x, inRect.y);
  }
  return shot.ConvertToImage();
}

// Shows the main frame at a fixed place and waits until inWindow's status line is laid out.
void ShowFrame(WTimeSheetWindow & inWindow) {
  WMainWindow & main = guitest::MainWindow();
  main.SetSize(wxRect(0, 0, 900, 600));
  main.Raise();
  ASSERT_TRUE(guitest::WaitUntil([&] { return inWindow.GetTimeSheetStatusBar().GetClientSize().x > 400; }));
  main.Refresh();
  main.Update();
  guitest::Flush();
}

} // namespace

using StatusPopupAndMessageTest = TimeSheetFixture;

TEST_F(StatusPopupAndMessageTest, AStatusPaneKeepsASpaceBetweenItsLabelAndTheLargestTotal) {
  // 119 entries of 9999 hours: 1,189,881 hours, the most 32-bit seconds hold is 1,193,046.
  std::vector<std::string> lines(119, guitest::Line("03/02/2026", "9999:00:00", "AB", "1", "X", "long"));
  WTimeSheetDocument * document = Open(WriteSheet("large.txt", lines));
  ASSERT_NE(document, nullptr);
  WTimeSheetWindow & window = *document->GetTimeSheetWindow();
  ASSERT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eDurationPane).second, "1189881:00:00");
  ShowFrame(window);
  WStatusBar & status = window.GetTimeSheetStatusBar();
  wxRect pane;
  ASSERT_TRUE(status.GetFieldRect(WTimeSheetWindow::eDurationPane, pane));
  wxBitmap bitmap(status.GetClientSize().x, status.GetClientSize().y);
  wxMemoryDC dc(bitmap);
  status.DrawAll(dc);
  const wxImage image = bitmap.ConvertToImage();
  dc.SetFont(WFonts::GetTahoma85());
  const int labelRight = pane.x + 4 + dc.GetTextExtent("Duration:").x;
  const int space = dc.GetTextExtent(" ").x;
  const auto inked = [&](int inX) {
    for (int y = pane.y + 1; y < pane.GetBottom(); ++y)
      if (image.GetRed(inX, y) + image.GetGreen(inX, y) + image.GetBlue(inX, y) < 300)
        return true;
    return false;
  };
  int lastLabelInk = labelRight - 1;
  while (lastLabelInk > pane.x && !inked(lastLabelInk))
    --lastLabelInk;
  int firstValueInk = lastLabelInk + 1;
  while (firstValueInk < pane.GetRight() && !inked(firstValueInk))
    ++firstValueInk;
  EXPECT_LT(firstValueInk, pane.GetRight()) << "no value drawn";
  EXPECT_GE(firstValueInk - lastLabelInk - 1, space) << "label and value run together";
  // The count pane is sized the same way for the largest count.
  ASSERT_TRUE(status.GetFieldRect(WTimeSheetWindow::eEntryCountPane, pane));
  EXPECT_GE(pane.width - 8, dc.GetTextExtent("Entry Count: 4294967295").x);
}

TEST_F(StatusPopupAndMessageTest, TheFileSettingsMenuOpensUpwardAboveItsButton) {
  WTimeSheetDocument * document = Open(WriteSheetOf("popup.txt", 12));
  ASSERT_NE(document, nullptr);
  WTimeSheetWindow & window = *document->GetTimeSheetWindow();
  ShowFrame(window);
  WFileSettingsPopup & popup = window.GetFileSettingsPopup();
  const wxRect button = popup.GetScreenRect();
  const wxRect frame = guitest::MainWindow().GetScreenRect();

  // The real menu, measured and pictured while it is open, then closed.
  const auto runner = WFileSettingsPopup::SetPopupRunner({});
  const auto call = [](const char * inName) { return dlsym(RTLD_DEFAULT, inName); };
  const auto toplevel = reinterpret_cast<void * (*)(void *)>(call("gtk_widget_get_toplevel"));
  const auto gdkWindow = reinterpret_cast<void * (*)(void *)>(call("gtk_widget_get_window"));
  const auto extents = reinterpret_cast<void (*)(void *, wxRect *)>(call("gdk_window_get_frame_extents"));
  const auto popdown = reinterpret_cast<void (*)(void *)>(call("gtk_menu_popdown"));
  ASSERT_TRUE(toplevel && gdkWindow && extents && popdown);
  wxRect menu;
  wxImage during;
  wxTimer timer;
  int ticks = 0;
  timer.Bind(wxEVT_TIMER, [&](wxTimerEvent &) {
    // The first tick lets the windows and the menu draw themselves.
    if (++ticks == 1) {
      window.Refresh();
      window.Update();
      return;
    }
    timer.Stop();
    // wxRect begins with x, y, width and height as the toolkit's rectangle does.
    if (void * shown = gdkWindow(toplevel(popup.GetMenu().m_menu)))
      extents(shown, &menu);
    during = ScreenImage(frame);
    popdown(popup.GetMenu().m_menu);
  });
  // A real click: the toolkit opens a menu only for an event of the user.
  wxUIActionSimulator mouse;
  mouse.MouseMove(button.GetPosition() + wxPoint(7, 7));
  guitest::Flush();
  timer.Start(700);
  mouse.MouseDown();
  EXPECT_TRUE(guitest::WaitUntil([&] { return during.IsOk(); }));
  mouse.MouseUp();
  WFileSettingsPopup::SetPopupRunner(runner);
  guitest::Flush();
  ASSERT_TRUE(during.IsOk());
  const std::string shot = viewtest::SaveScreenshot(&guitest::MainWindow(), "file-settings-popup");
  during.SaveFile(wxString::FromUTF8(shot), wxBITMAP_TYPE_PNG);

  // The menu lies above the button, its bottom edge close above the button's top.
  EXPECT_GT(menu.height, 60) << "no menu was seen";
  EXPECT_LE(menu.GetBottom(), button.y) << "the menu reaches down over the status line";
  EXPECT_GE(menu.GetBottom(), button.y - 12) << "the menu does not sit on the button";
  EXPECT_LE(std::abs(menu.x - button.x), 12);
}

TEST_F(StatusPopupAndMessageTest, FailureBoxesShowTheExclamationIcon) {
  const auto runner = WMessageBox::SetRunner({});
  wxString shown;
  bool icon = false;
  wxTimer timer;
  timer.Bind(wxEVT_TIMER, [&](wxTimerEvent &) {
    for (wxWindow * top : wxTopLevelWindows) {
      auto * dialog = dynamic_cast<wxDialog *>(top);
      if (dialog == nullptr || !dialog->IsModal())
        continue;
      for (wxWindow * child : dialog->GetChildren()) {
        if (auto * bitmap = dynamic_cast<wxStaticBitmap *>(child))
          icon |= bitmap->GetBitmap().IsOk() && bitmap->GetBitmap().GetWidth() >= 16;
        if (auto * text = dynamic_cast<wxStaticText *>(child))
          shown += text->GetLabel();
      }
      dialog->EndModal(wxID_OK);
    }
  });
  timer.Start(200);
  const std::string missing = mFolder.file("gone.txt");
  EXPECT_EQ(WTallyworthApp::Get().OpenDocumentFile(wxString::FromUTF8(missing)), nullptr);
  timer.Stop();
  WMessageBox::SetRunner(runner);
  EXPECT_TRUE(shown.Contains("does not exist on disk")) << shown;
  EXPECT_TRUE(icon);

  // The merge confirmation's default button stands out from the others.
  WConfirmClearDialog confirm(16456, true, nullptr);
  const auto weight = [&](int inId) {
    return dynamic_cast<wxButton *>(confirm.FindWindow(inId))->GetFont().GetWeight();
  };
  EXPECT_GT(weight(WConfirmClearDialog::eSaveAndClear), weight(WConfirmClearDialog::eClear));
  EXPECT_EQ(weight(WConfirmClearDialog::eDontClear), weight(WConfirmClearDialog::eClear));
}

TEST_F(StatusPopupAndMessageTest, OpeningSeveralFilesEndsWithTheLastOneInFront) {
  const std::string a = WriteSheetOf("a.txt", 2), b = WriteSheetOf("b.txt", 3), c = WriteSheetOf("c.txt", 4),
                    d = WriteSheetOf("d.txt", 5);
  ASSERT_NE(Open(a), nullptr);
  ASSERT_NE(Open(b), nullptr);
  // A new one then an open one, an open one then a new one, two open ones.
  const std::vector<std::vector<std::string>> choices = {{c, a}, {b, d}, {d, a, c}};
  for (const auto & chosen : choices) {
    SCOPED_TRACE(chosen.back());
    Prompts().ChooseFiles(chosen);
    guitest::Command(wxID_OPEN);
    guitest::Flush();
    guitest::Flush();
    WTimeSheetDocument * front = guitest::ActiveDocument();
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(front->GetFilename(), wxString::FromUTF8(chosen.back()));
    EXPECT_EQ(guitest::DocManager().GetCurrentDocument(), front);
  }
}
