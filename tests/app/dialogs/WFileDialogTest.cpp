// The save dialog: where it starts, and asking before replacing the file really written.

#include <filesystem>

#include "documents/WDocManager.h"
#include "support/TimeSheetFixture.h"

using WFileDialogTest = TimeSheetFixture;

TEST_F(WFileDialogTest, ABareNameIsAskedAboutUnderItsFinalNameAndNoWritesNothing) {
  const std::string kOld = guitest::Line("03/02/2026", "1:30", "AB", "1001", "10", "Kept");
  const std::string kNew = guitest::Line("03/03/2026", "2:00", "CD", "1002", "20", "Saved");
  const std::string typed = mFolder.file("week");
  const struct {
    const char * name;
    bool txtExists, bareExists;
    int answer; // to the replace question; 0: none expected
  } cases[] = {
      {"week.txt exists, No", true, false, wxNO},
      {"week.txt exists, Yes", true, false, wxYES},
      {"only week exists: week.txt is new", false, true, 0},
  };
  for (const auto & c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(typed + ".txt");
    std::filesystem::remove(typed);
    if (c.txtExists)
      WriteSheet("week.txt", {kOld});
    if (c.bareExists)
      WriteSheet("week", {kOld});
    guitest::Command(wxID_NEW);
    WTimeSheetDocument * document = guitest::ActiveDocument();
    ASSERT_NE(document, nullptr);
    AppendTask(*document, kNew);
    Prompts().ClearRecords();
    const wxString start = "Save As: " + guitest::DocManager().GetLastFolder() + "/" + document->GetUserReadableName();
    Prompts().ChooseFiles({typed});
    if (c.answer != 0)
      Prompts().AnswerMessage(c.answer);
    if (c.answer == wxNO) // back in the dialog, which now shows the final name; then Cancel
      Prompts().ChooseFiles({});
    guitest::Command(wxID_SAVE);
    const bool written = c.answer != wxNO;
    ASSERT_EQ(Prompts().mFileDialogs.size(), written ? 1u : 2u);
    EXPECT_EQ(Prompts().mFileDialogs.front(), start);
    EXPECT_EQ(Prompts().mFileDialogs.back(), written ? start : "Save As: " + W(mFolder.path().string()) + "/week.txt");
    EXPECT_EQ(Prompts().mMessages, c.answer == 0 ? std::vector<wxString>{}
                                                 : std::vector<wxString>{"week.txt already exists.\nDo you want to replace it?"});
    EXPECT_TRUE(c.answer == 0 || (Prompts().mMessageStyles[0] & wxNO_DEFAULT));
    EXPECT_EQ(Bytes(typed + ".txt"), written ? kNew : kOld);
    EXPECT_EQ(Bytes(typed), c.bareExists ? kOld : "");
    EXPECT_EQ(document->IsModified(), !written);
    guitest::CloseAllDocuments();
  }
}
