// The preferences dialog and the about box, driven through their menu commands: what the
// dialog shows, what OK and Cancel store in the configuration, and how the about box closes.
#include <gtest/gtest.h>

#include <filesystem>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/config.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/stdpaths.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "dialogs/WAboutDialog.h"
#include "dialogs/WPreferencesDialog.h"
#include "resources/WCommandIds.h"
#include "resources/WProgramIcon.h"
#include "support/TimeSheetFixture.h"

namespace {

std::string ConfigText() {
  wxConfigBase::Get()->Flush();
  return testsupport::ReadFileBytes(guitest::StartupConfigDir() + "/Tallyworth.conf");
}

bool Has(const std::string & inText, const std::string & inLine) {
  return inText.find(inLine + "\n") != std::string::npos;
}

} // namespace

using WPreferencesDialogTest = TimeSheetFixture;

TEST_F(WPreferencesDialogTest, ShowsTheCountAtOrAboveAndOKStoresAllFourValues) {
  struct Row {
    int stored;
    const char * shown;
  };
  for (const Row & row : {Row{35, "40"}, Row{80, "50"}, Row{15, "20"}, Row{20, "20"}, Row{0, "10"}}) {
    SCOPED_TRACE(row.stored);
    WTallyworthApp::sMaxMRUCount = row.stored;
    WTallyworthApp::Get().WriteClearAfterMergeFlags(false, true, false);
    // Every value is removed first, so that OK has to write each one again.
    wxConfigBase::Get()->DeleteGroup("/Preferences");
    wxString shown;
    Prompts().AnswerDialog([&](wxDialog & inDialog) {
      auto & dialog = dynamic_cast<WPreferencesDialog &>(inDialog);
      EXPECT_EQ(dialog.GetTitle(), "Tallyworth Preferences");
      shown = dialog.GetMRUComboBox()->GetStringSelection();
      EXPECT_TRUE(dialog.GetWarnCheckBox()->GetValue());
      EXPECT_FALSE(dialog.GetSaveCheckBox()->GetValue());
      wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
      dialog.ProcessWindowEvent(ok);
      return dialog.GetReturnCode();
    });
    guitest::Command(WCommandIds::eDoPreferences);
    EXPECT_EQ(shown, row.shown);
    const std::string text = ConfigText();
    EXPECT_TRUE(Has(text, std::string("MaxMRUCount=") + row.shown)) << text;
    EXPECT_TRUE(Has(text, "ClearFilesAfterMerging=0")) << "never changed here\n" << text;
    EXPECT_TRUE(Has(text, "WarnBeforeClearingMergedFiles=1")) << text;
    EXPECT_TRUE(Has(text, "SaveBeforeClearingMergedFiles=0")) << text;
    EXPECT_EQ(WTallyworthApp::sMaxMRUCount, std::stoi(row.shown));
  }
}

TEST_F(WPreferencesDialogTest, ChangedBoxesAreStoredByOKAndForgottenByCancel) {
  WTallyworthApp::Get().WriteClearAfterMergeFlags(true, true, true);
  for (const bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    const std::string before = ConfigText();
    Prompts().AnswerDialog([&](wxDialog & inDialog) {
      auto & dialog = dynamic_cast<WPreferencesDialog &>(inDialog);
      dialog.GetMRUComboBox()->SetSelection(4);
      dialog.GetWarnCheckBox()->SetValue(false);
      if (!ok)
        return static_cast<int>(wxID_CANCEL);
      wxCommandEvent event(wxEVT_BUTTON, wxID_OK);
      dialog.ProcessWindowEvent(event);
      return dialog.GetReturnCode();
    });
    guitest::Command(WCommandIds::eDoPreferences);
    if (!ok) {
      EXPECT_EQ(ConfigText(), before);
      EXPECT_TRUE(WTallyworthApp::sWarnBeforeClearingMergedFilesFlag);
    } else {
      EXPECT_TRUE(Has(ConfigText(), "MaxMRUCount=50"));
      EXPECT_TRUE(Has(ConfigText(), "WarnBeforeClearingMergedFiles=0"));
      EXPECT_FALSE(WTallyworthApp::sWarnBeforeClearingMergedFilesFlag);
      EXPECT_TRUE(WTallyworthApp::sClearFilesAfterMergingFlag);
    }
  }
}

TEST_F(WPreferencesDialogTest, BothItemsAreEnabledWithAndWithoutATimeSheet) {
  for (int id : {static_cast<int>(wxID_ABOUT), WCommandIds::eDoPreferences})
    EXPECT_TRUE(guitest::IsCommandEnabled(id)) << id;
  Open(WriteSheetOf("one.txt", 1));
  for (int id : {static_cast<int>(wxID_ABOUT), WCommandIds::eDoPreferences})
    EXPECT_TRUE(guitest::IsCommandEnabled(id)) << id;
}

// The about box runs its real modal loop here; a real click or key from the simulator
// must end it, and a timer fails the test instead of hanging it.
TEST_F(WPreferencesDialogTest, AboutBoxClosesOnAnyMouseButtonOrKeyShiftIncluded) {
  struct Row {
    const char * name;
    std::function<void(wxUIActionSimulator &)> act;
  };
  const Row rows[] = {
      {"right click", [](wxUIActionSimulator & inSim) { inSim.MouseClick(wxMOUSE_BTN_RIGHT); }},
      {"middle click", [](wxUIActionSimulator & inSim) { inSim.MouseClick(wxMOUSE_BTN_MIDDLE); }},
      {"left click", [](wxUIActionSimulator & inSim) { inSim.MouseClick(wxMOUSE_BTN_LEFT); }},
      {"Shift alone", [](wxUIActionSimulator & inSim) { inSim.KeyDown(WXK_SHIFT), inSim.KeyUp(WXK_SHIFT); }},
  };
  for (const Row & row : rows) {
    SCOPED_TRACE(row.name);
    int result = -1;
    Prompts().AnswerDialog([&](wxDialog & inDialog) {
      auto & about = dynamic_cast<WAboutDialog &>(inDialog);
      EXPECT_EQ(about.GetParent(), nullptr);
      EXPECT_TRUE(WAboutDialog::VersionText().EndsWith("2.0.6  "));
      wxTimer fallback;
      fallback.Bind(wxEVT_TIMER, [&](wxTimerEvent &) { about.EndModal(99); });
      about.CallAfter([&] {
        about.Raise();
        about.SetFocus();
        guitest::Flush();
        wxUIActionSimulator sim;
        sim.MouseMove(about.ClientToScreen(about.GetPictureRect().GetPosition() + wxPoint(20, 20)));
        row.act(sim);
        fallback.StartOnce(3000);
      });
      result = about.ShowModal();
      return result;
    });
    guitest::Command(wxID_ABOUT);
    EXPECT_EQ(result, 0);
  }
}

namespace {

// build/screenshots, found from the test program (build/tests/app_tests).
std::filesystem::path Shot(const std::string & inName) {
  const std::filesystem::path program(wxStandardPaths::Get().GetExecutablePath().utf8_string());
  const std::filesystem::path folder = program.parent_path().parent_path() / "screenshots";
  std::filesystem::create_directories(folder);
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
    wxImage::AddHandler(new wxPNGHandler);
  return folder / inName;
}

} // namespace

TEST_F(WPreferencesDialogTest, PicturesOfBothDialogsForAPersonToLookAt) {
  WAboutDialog about(nullptr);
  for (const int scale : {1, 2}) {
    const wxSize size = about.GetClientSize() * scale;
    wxBitmap bitmap(size);
    {
      wxMemoryDC dc(bitmap);
      dc.SetBackground(*wxWHITE_BRUSH);
      dc.Clear();
      const wxRect rect = about.GetPictureRect();
      WAboutDialog::DrawPicture(dc, wxRect(rect.GetPosition() * scale, rect.GetSize() * scale));
    }
    const wxImage image = bitmap.ConvertToImage();
    // The picture's teal fills its corners; the strip below it stays white.
    EXPECT_LT(image.GetRed(2, 2), 0x40);
    EXPECT_GT(image.GetGreen(2, 2), 0x50);
    EXPECT_EQ(image.GetRed(2, size.y - 2), 0xff);
    EXPECT_TRUE(image.SaveFile(Shot(scale == 1 ? "about.png" : "about@2x.png").string(), wxBITMAP_TYPE_PNG));
  }

  // The program's icon as the windows get it, at two of its sizes.
  const wxIconBundle icons = WProgramIcon::Bundle();
  for (const int side : {48, 256}) {
    const wxIcon icon = icons.GetIcon(wxSize(side, side), wxIconBundle::FALLBACK_NONE);
    ASSERT_TRUE(icon.IsOk()) << side;
    EXPECT_EQ(icon.GetWidth(), side);
    wxBitmap bitmap;
    bitmap.CopyFromIcon(icon);
    EXPECT_TRUE(bitmap.ConvertToImage().SaveFile(Shot("icon-" + std::to_string(side) + ".png").string(),
                                                  wxBITMAP_TYPE_PNG));
  }

  WPreferencesDialog preferences(nullptr);
  preferences.Show();
  guitest::Flush();
  const wxRect screen = preferences.GetScreenRect();
  wxBitmap shot(screen.GetSize());
  {
    wxScreenDC dc;
    wxMemoryDC memory(shot);
    memory.Blit(0, 0, screen.width, screen.height, &dc, screen.x, screen.y);
  }
  EXPECT_TRUE(shot.ConvertToImage().SaveFile(Shot("preferences.png").string(), wxBITMAP_TYPE_PNG));
  preferences.Hide();
}
