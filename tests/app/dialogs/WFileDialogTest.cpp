// The save dialog asks before replacing a file under the name that is written, and every
// file dialog starts in the folder that fits: the sheet's own, else the one used last.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <wx/msgdlg.h>

#include "dialogs/WFileDialog.h"
#include "documents/WDocManager.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"

namespace {

wxString W(const std::string & inText) { return wxString::FromUTF8(inText); }

const std::string kOld = guitest::Line("03/02/2026", "1:30", "AB", "1001", "10", "Kept");
const std::string kNew = guitest::Line("03/03/2026", "2:00", "CD", "1002", "20", "Saved");

} // namespace

class WFileDialogTest : public TimeSheetFixture {
protected:
  // The next file dialog checks where it starts, then chooses inPath (empty: Cancel).
  void ChooseFrom(const std::string & inFolder, const wxString & inName, const std::string & inPath) {
    Prompts().AnswerFileDialog([=](WFileDialog & inDialog) {
      EXPECT_EQ(inDialog.GetDirectory(), W(inFolder));
      EXPECT_EQ(inDialog.GetFileName(), inName);
      if (inPath.empty())
        return static_cast<int>(wxID_CANCEL);
      inDialog.SetPaths({W(inPath)});
      return static_cast<int>(wxID_OK);
    });
  }
};

TEST_F(WFileDialogTest, ABareNameIsAskedAboutUnderItsFinalNameAndNoWritesNothing) {
  const std::string folder = mFolder.path().string();
  const std::string typed = mFolder.file("week");
  struct Case {
    const char * name;
    bool txtExists, bareExists;
    int answer; // to the replace question; 0: none expected
    bool written;
  } cases[] = {
      {"week.txt exists, No", true, false, wxNO, false},
      {"week.txt exists, Yes", true, false, wxYES, true},
      {"only week exists: week.txt is new", false, true, 0, true},
  };
  for (const Case & c : cases) {
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
    ChooseFrom(guitest::DocManager().GetLastFolder().ToStdString(), document->GetUserReadableName(), typed);
    if (c.answer != 0)
      Prompts().AnswerMessage(c.answer);
    if (c.answer == wxNO) // back in the dialog, which now shows the final name; then Cancel
      ChooseFrom(folder, "week.txt", std::string());
    guitest::Command(wxID_SAVE);
    if (c.answer != 0) {
      ASSERT_EQ(Prompts().Messages().size(), 1u);
      EXPECT_EQ(Prompts().Messages()[0], "week.txt already exists.\nDo you want to replace it?");
      EXPECT_TRUE(Prompts().MessageStyles()[0] & wxNO_DEFAULT);
    } else {
      EXPECT_TRUE(Prompts().Messages().empty());
    }
    EXPECT_EQ(Bytes(typed + ".txt"), c.written ? kNew : kOld);
    if (c.bareExists) {
      EXPECT_EQ(Bytes(typed), kOld);
    }
    EXPECT_EQ(document->IsModified(), !c.written);
    guitest::CloseAllDocuments();
  }
}
