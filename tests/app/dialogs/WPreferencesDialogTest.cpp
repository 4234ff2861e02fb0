// The preferences dialog, driven through its menu command, and pictures of it and the about box.
#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/config.h>
#include <wx/dcmemory.h>

#include "dialogs/WAboutDialog.h"
#include "dialogs/WPreferencesDialog.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "view/ViewTestSupport.h"

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
    EXPECT_NE(viewtest::SaveImage(image, scale == 1 ? "about" : "about@2x"), "");
  }

  WPreferencesDialog preferences(nullptr);
  preferences.Show();
  guitest::Flush();
  EXPECT_NE(viewtest::SaveImage(viewtest::CaptureScreen(&preferences), "preferences"), "");
  preferences.Hide();
}
