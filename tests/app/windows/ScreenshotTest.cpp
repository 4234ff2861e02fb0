// Starts like a user: opens the example time sheet and saves a picture of the main frame
// under the build folder (screenshots/main-frame.png) for a person to look at.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include <wx/image.h>
#include <wx/menu.h>

#include "panes/WStatusBar.h"
#include "support/TimeSheetFixture.h"
#include "view/ViewTestSupport.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

namespace {

// The example shipped with the program, found from this source file.
std::filesystem::path ExampleSheet() {
  return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() / "examples" /
         "week.txt";
}

} // namespace

using ScreenshotTest = TimeSheetFixture;

TEST_F(ScreenshotTest, TheMainFrameWithTheExampleTimeSheet) {
  ASSERT_TRUE(std::filesystem::exists(ExampleSheet())) << ExampleSheet();
  const std::string copy = mFolder.file("week.txt");
  std::filesystem::copy_file(ExampleSheet(), copy);
  WTimeSheetDocument * document = Open(copy);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->GetData().size(), 15u);
  WTimeSheetWindow & window = *document->GetTimeSheetWindow();
  EXPECT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eEntryCountPane).second, "15");
  EXPECT_EQ(window.GetStatusPaneTexts(WTimeSheetWindow::eDurationPane).second, "36:20:30");

  WMainWindow & main = guitest::MainWindow();
  main.SetSize(wxRect(0, 0, 900, 600));
  main.Raise();
  ASSERT_TRUE(guitest::WaitUntil([&] { return window.GetTimeSheetStatusBar().GetClientSize().x > 400; }));
  // The window's menu bar takes the main menu's place once the frame is idle.
  ASSERT_TRUE(guitest::WaitUntil([&] {
    wxMenuBar * bar = window.GetMenuBar();
    return bar != nullptr && bar->IsShown() && bar->GetSize().y > 10 && bar->GetScreenPosition().y == main.GetScreenPosition().y;
  }));
  EXPECT_EQ(main.GetMenuBar(), window.GetMenuBar()); // the frame shows the window's menu bar
  for (wxWindow * each : {static_cast<wxWindow *>(&main), static_cast<wxWindow *>(&window)}) {
    each->Refresh();
    each->Update();
  }
  guitest::Flush();

  const wxImage image = viewtest::CaptureScreen(&main);
  std::set<unsigned long> colours;
  for (int y = 0; y < image.GetHeight(); y += 3)
    for (int x = 0; x < image.GetWidth(); x += 3)
      colours.insert((static_cast<unsigned long>(image.GetRed(x, y)) << 16) | (image.GetGreen(x, y) << 8) |
                     image.GetBlue(x, y));
  EXPECT_GT(colours.size(), 8u) << "the picture is not blank";

  EXPECT_NE(viewtest::SaveImage(image, "main-frame"), "");
}
