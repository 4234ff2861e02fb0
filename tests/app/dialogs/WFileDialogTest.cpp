// The save dialog: where it starts, and asking before replacing the file really written.

#include <filesystem>

#include <wx/msgdlg.h>

#include "dialogs/WFileDialog.h"
#include "documents/WDocManager.h"
#include "support/TimeSheetFixture.h"

using WFileDialogTest = TimeSheetFixture;

TEST_F(WFileDialogTest, ABareNameIsAskedAboutUnderItsFinalNameAndNoWritesNothing) {
  const std::string kOld = guitest::Line("03/02/2026", "1:30", "AB", "1001", "10", "Kept");
  const std::string kNew = guitest::Line("03/03/2026", "2:00", "CD", "1002", "20", "Saved");
  const std::string typed = mFolder.file("week");
  // The next file dialog checks where it starts, then chooses inPath (empty: Cancel).
  const auto chooseFrom = [&](const std::string & inFolder, const wxString & inName, const std::string & inPath) {
    Prompts().AnswerFileDialog([=](WFileDialog & inDialog) {
      EXPECT_EQ(inDialog.GetDirectory(), wxString::FromUTF8(inFolder));
      EXPECT_EQ(inDialog.GetFileName(), inName);
      if (!inPath.empty())
        inDialog.SetPaths({wxString::FromUTF8(inPath)});
      return static_cast<int>(inPath.empty() ? wxID_CANCEL : wxID_OK);
    });
  };
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
    chooseFrom(guitest::DocManager().GetLastFolder().ToStdString(), document->GetUserReadableName(), typed);
    if (c.answer != 0)
      Prompts().AnswerMessage(c.answer);
    if (c.answer == wxNO) // back in the dialog, which now shows the final name; then Cancel
      chooseFrom(mFolder.path().string(), "week.txt", std::string());
    guitest::Command(wxID_SAVE);
    const bool written = c.answer != wxNO;
    EXPECT_EQ(Prompts().mMessages, c.answer == 0 ? std::vector<wxString>{}
                                                 : std::vector<wxString>{"week.txt already exists.\nDo you want to replace it?"});
    EXPECT_TRUE(c.answer == 0 || (Prompts().mMessageStyles[0] & wxNO_DEFAULT));
    EXPECT_EQ(Bytes(typed + ".txt"), written ? kNew : kOld);
    EXPECT_EQ(Bytes(typed), c.bareExists ? kOld : "");
    EXPECT_EQ(document->IsModified(), !written);
    guitest::CloseAllDocuments();
  }
}
