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

TEST_F(WFileDialogTest, SaveAsStartsInTheSheetsFolderAndItsOwnNameIsAPlainSave) {
  std::filesystem::create_directory(mFolder.path() / "sub");
  const std::string own = WriteSheet("sub/own.txt", {kOld});
  WTimeSheetDocument * document = Open(own);
  ASSERT_NE(document, nullptr);
  AppendTask(*document, kNew);
  ChooseFrom((mFolder.path() / "sub").string(), "own.txt", own);
  Prompts().AnswerMessage(wxYES);
  guitest::Command(wxID_SAVEAS);
  EXPECT_EQ(Prompts().Messages().size(), 1u) << "only the replace question";
  EXPECT_EQ(Bytes(own), kOld + kNew);
  EXPECT_FALSE(document->IsModified());
  EXPECT_EQ(document->GetStreamPath(), W(own));
}

TEST_F(WFileDialogTest, OpenMergeAndSaveAsStartInTheFolderUsedLast) {
  std::filesystem::create_directory(mFolder.path() / "a");
  std::filesystem::create_directory(mFolder.path() / "b");
  const std::string inA = WriteSheet("a/one.txt", {kOld});
  const std::string inB = WriteSheet("b/two.txt", {kNew});
  const std::string a = (mFolder.path() / "a").string();
  const std::string b = (mFolder.path() / "b").string();
  WTallyworthApp::Get().WriteClearAfterMergeFlags(false, false, false);

  Prompts().ChooseFiles({inA});
  guitest::Command(wxID_OPEN);
  ASSERT_NE(guitest::ActiveDocument(), nullptr);
  ChooseFrom(a, wxString(), inB); // Merge, from b
  guitest::Command(WCommandIds::eFileMerge);
  guitest::Command(wxID_NEW);
  ChooseFrom(b, guitest::ActiveDocument()->GetUserReadableName(), std::string()); // Save As, cancelled
  guitest::Command(wxID_SAVEAS);
  ChooseFrom(b, wxString(), std::string()); // a cancelled dialog leaves the folder as it was
  guitest::Command(wxID_OPEN);
}
