// Time sheets named on the program's command line: which arguments are files, and that
// they open as one Open dialog would open them, replacing the untouched empty sheet.
#include <gtest/gtest.h>

#include <vector>

#include "documents/WDocManager.h"
#include "support/TimeSheetFixture.h"

TEST(StartupFiles, ArgumentsThatNameFiles) {
  struct Row {
    const char * name;
    std::vector<wxString> arguments;
    std::vector<wxString> files;
  };
  const Row rows[] = {
      {"none", {"tallyworth"}, {}},
      {"two files in order", {"tallyworth", "b.txt", "a.txt"}, {"b.txt", "a.txt"}},
      {"toolkit options skipped", {"tallyworth", "--sync", "a.txt", "-x"}, {"a.txt"}},
      {"after --, everything is a file", {"tallyworth", "--", "-dash.txt", "--"}, {"-dash.txt", "--"}},
  };
  for (const Row & row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(WTallyworthApp::StartupFiles(row.arguments), row.files);
  }
}

using StartupFilesTest = TimeSheetFixture;

TEST_F(StartupFilesTest, OpensEachFileAndDropsTheUntouchedEmptySheet) {
  const std::string first = WriteSheetOf("first.txt", 2);
  const std::string second = WriteSheetOf("second.txt", 3);
  guitest::DocManager().CreateNewTimeSheet();
  Prompts().AnswerMessage(wxOK);
  WTallyworthApp::Get().OpenStartupFiles(
      {wxString::FromUTF8(first), wxString::FromUTF8(mFolder.file("missing.txt")), wxString::FromUTF8(second)});
  guitest::Flush();
  const std::vector<WTimeSheetDocument *> documents = guitest::Documents();
  ASSERT_EQ(documents.size(), 2u);
  ASSERT_NE(guitest::ActiveDocument(), nullptr);
  EXPECT_EQ(guitest::ActiveDocument()->GetData().size(), 3u) << "the last one opened is in front";
}

TEST_F(StartupFilesTest, KeepsTheEmptySheetWhenNothingOpensOrItWasTouched) {
  guitest::DocManager().CreateNewTimeSheet();
  Prompts().AnswerMessage(wxOK);
  WTallyworthApp::Get().OpenStartupFiles({wxString::FromUTF8(mFolder.file("missing.txt"))});
  EXPECT_EQ(guitest::Documents().size(), 1u);

  AppendTask(*guitest::Documents().front(), guitest::Line("03/02/2026", "1:00", "AB", "1", "2", "typed"));
  WTallyworthApp::Get().OpenStartupFiles({wxString::FromUTF8(WriteSheetOf("one.txt", 1))});
  EXPECT_EQ(guitest::Documents().size(), 2u) << "a sheet with changes is never dropped";
}
