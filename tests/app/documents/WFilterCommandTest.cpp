// Tests of the Filter command through the real windows: the filtered time sheet against
// `tally show --filter` on the same realistic file, the dialog keeping its rows from one
// command to the next, and the notice for an expression with an error.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <wx/infobar.h>
#include <wx/stdpaths.h>

#include "resources/WCommandIds.h"
#include "support/FilterDialogDriver.h"
#include "support/Screenshot.h"
#include "support/TimeSheetFixture.h"
#include "windows/WMainWindow.h"
#include "windows/WTimeSheetWindow.h"

namespace {

using D = WFilterDialog;

std::string Quoted(const std::string & inText) {
  std::string quoted = "'";
  for (char c : inText)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The lines that the shell command inCommand writes.
std::vector<std::string> Shell(const std::string & inCommand) {
  std::string output;
  if (std::FILE * pipe = ::popen(inCommand.c_str(), "r")) {
    char buffer[65536];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      output.append(buffer, count);
    ::pclose(pipe);
  }
  std::vector<std::string> lines;
  std::istringstream stream(output);
  for (std::string line; std::getline(stream, line);)
    lines.push_back(line);
  return lines;
}

std::vector<std::string> Lines(const STaskVector & inTasks) { return std::vector<std::string>(inTasks.begin(), inTasks.end()); }

class WFilterCommandTest : public TimeSheetFixture {
protected:
  void SetUp() override {
    TimeSheetFixture::SetUp();
    WTallyworthApp::sFilterDialog.reset();
  }
  void TearDown() override {
    TimeSheetFixture::TearDown();
    WTallyworthApp::sFilterDialog.reset();
  }

  // Runs the Filter command in inSource's window: inAnswer sets the dialog up, then
  // "Filter" is pressed. The new time sheet, or null.
  WTimeSheetDocument * Filter(WTimeSheetDocument & inSource, const std::function<void(filtertest::Driver &)> & inAnswer) {
    inSource.Activate();
    guitest::WaitUntil([&] { return guitest::ActiveDocument() == &inSource; });
    const std::size_t before = guitest::Documents().size();
    Prompts().AnswerDialog([&](wxDialog & inDialog) {
      filtertest::Driver driver{dynamic_cast<WFilterDialog &>(inDialog)};
      inAnswer(driver);
      driver.Click(wxID_OK);
      return inDialog.GetReturnCode();
    });
    guitest::Command(WCommandIds::eReportFilter);
    return guitest::Documents().size() == before + 1 ? guitest::Documents().back() : nullptr;
  }
};

TEST_F(WFilterCommandTest, TheNewWindowHoldsWhatTallyShowsInTheListsOrderAndTheDialogKeepsItsRows) {
  // The tool beside this test program (build/cli/tally), the generator beside the sources.
  const std::filesystem::path program(wxStandardPaths::Get().GetExecutablePath().utf8_string());
  const std::string tally = (program.parent_path().parent_path() / "cli" / "tally").string();
  const auto generator = (program.parent_path() / __FILE__).parent_path() / "../../../../shared/tools/gen-timesheet";
  if (!std::filesystem::exists(tally) || !std::filesystem::exists(generator))
    GTEST_SKIP() << "needs " << tally << " and " << generator;
  const std::string path = mFolder.file("sheet.txt");
  // The window holds its file: the tool reads a copy.
  const std::string copy = mFolder.file("copy.txt");
  Shell(Quoted(generator.string()) + " 3000 > " + Quoted(path) + " && cp " + Quoted(path) + " " + Quoted(copy));
  WTimeSheetDocument * source = Open(path);
  ASSERT_NE(source, nullptr);
  const std::vector<std::string> sourceLines = Lines(source->GetData());
  guitest::Command(WCommandIds::eSortByWhoCode);

  const auto rows = [](filtertest::Driver & d) {
    d.Select(1, D::eFieldList, 5);
    d.Select(1, D::eConditionList, D::eContains);
    d.Type(1, "MEMO");
    d.Click(D::ControlId(1, D::eAddButton));
    d.Select(2, D::eFieldList, 1);
    d.Select(2, D::eConditionList, D::eIsGreaterThan);
    d.Type(2, "1:30");
    d.Click(D::ControlId(2, D::eAddButton));
    d.Select(3, D::eOperatorList, 1);
    d.Select(3, D::eFieldList, 0);
    d.Select(3, D::eConditionList, D::eIsOnOrAfter);
    d.Type(3, "12/1/2013");
  };
  std::string shownAgain;
  const auto typed = [&](filtertest::Driver & d) {
    shownAgain = d.Expression();
    d.Box(D::eExpressionBoxId).SetValue("NOT code = 'D' AND (who = '*G*' OR job < \"2000\")");
    d.Check(D::eCaseBoxId, true);
  };
  for (const auto & answer : {std::function<void(filtertest::Driver &)>(rows), std::function<void(filtertest::Driver &)>(typed)}) {
    WTimeSheetDocument * filtered = Filter(*source, answer);
    ASSERT_NE(filtered, nullptr);
    const std::string expression = WTallyworthApp::sFilterDialog->GetFilter().utf8_string();
    const std::vector<std::string> expected =
        Shell(Quoted(tally) + " show --sort who --format tsv --filter " + Quoted(expression) +
            (WTallyworthApp::sFilterDialog->IsCaseSensitive() ? " --case-sensitive " : " ") + Quoted(copy));
    EXPECT_GT(expected.size(), 10u) << expression;
    EXPECT_LT(expected.size(), 2000u) << expression;
    EXPECT_EQ(Lines(filtered->GetData()), expected) << expression;
    EXPECT_TRUE(filtered->IsModified());
    EXPECT_EQ(filtered->GetStream(), nullptr);
    EXPECT_EQ(filtered->GetLineBreakFormat().GetFormat(), source->GetLineBreakFormat().GetFormat());
    EXPECT_EQ(filtered->GetTimeSheetWindow()->GetNotice(), nullptr);
    if (shownAgain.empty()) {
      const wxRect place = guitest::MainWindow().GetRect();
      guitest::MainWindow().SetSize(wxRect(0, 0, 900, 600));
      EXPECT_TRUE(guitest::SaveScreenshot(guitest::MainWindow(), "filtered-window.png"));
      guitest::MainWindow().SetSize(place);
      guitest::WaitUntil([&] { return guitest::MainWindow().GetRect() == place; });
    }
  }
  EXPECT_EQ(shownAgain, "description = '*MEMO*' AND duration > \"1:30\" OR date >= \"12/1/2013\"");
  EXPECT_EQ(Lines(source->GetData()), sourceLines);
  EXPECT_FALSE(source->IsModified());

  const std::string saved = mFolder.file("saved.txt");
  Prompts().ChooseFiles({saved});
  EXPECT_TRUE(guitest::Documents().back()->Save());
  EXPECT_EQ(Prompts().FileDialogTitles(), (std::vector<wxString>{"Save As"}));
}

TEST_F(WFilterCommandTest, AnExpressionWithAnErrorGivesAnEmptyWindowWithANotice) {
  WTimeSheetDocument * source = Open(WriteSheetOf("sheet.txt", 5));
  ASSERT_NE(source, nullptr);
  const std::pair<const char *, const char *> cases[] = {
      {"Who = \"AB\"", "Unknown term"}, {"job = \"7\" job", "Expected an Operator"}, {"who = ", "Missing Term"}};
  for (const auto & [expression, message] : cases) {
    SCOPED_TRACE(expression);
    WTimeSheetDocument * filtered =
        Filter(*source, [&](filtertest::Driver & d) { d.Box(D::eExpressionBoxId).SetValue(expression); });
    ASSERT_NE(filtered, nullptr);
    EXPECT_EQ(filtered->GetData().size(), 0u);
    ASSERT_NE(filtered->GetTimeSheetWindow()->GetNotice(), nullptr);
    EXPECT_TRUE(filtered->GetTimeSheetWindow()->GetNotice()->IsShown());
    const std::string text = filtered->GetTimeSheetWindow()->GetNoticeText().utf8_string();
    EXPECT_NE(text.find(message), std::string::npos) << text;
  }
  EXPECT_TRUE(Prompts().Messages().empty()) << "no message box";
  EXPECT_EQ(source->GetData().size(), 5u);
}

} // namespace
