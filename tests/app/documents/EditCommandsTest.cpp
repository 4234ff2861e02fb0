// Delete, Cut, Copy, Paste, New Entry, Undo and Redo, against files and a plain model.

#include <random>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "documents/WEditHistory.h"
#include "panes/WListListBox.h"
#include "panes/WTreeListBox.h"
#include "resources/WCommandIds.h"
#include "support/TimeSheetFixture.h"
#include "view/PaneHarness.h"
#include "views/WEntryCommands.h"
#include "windows/WTimeSheetWindow.h"

namespace {

using guitest::Line;

class EditCommandsTest : public TimeSheetFixture {
protected:
  static bool Run(WTimeSheetDocument * inDocument, int inId) { return View(inDocument).EntryCommands()->Run(inId); }
  static std::vector<std::string> Lines(WTimeSheetDocument * inDocument) {
    return std::vector<std::string>(inDocument->GetData().begin(), inDocument->GetData().end());
  }
  static void SetClipboard(const wxString & inText) {
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(inText));
    wxTheClipboard->Close();
  }
  static wxString Clipboard() {
    wxTextDataObject data;
    if (wxTheClipboard->Open())
      wxTheClipboard->GetData(data), wxTheClipboard->Close();
    return data.GetText();
  }

  const std::vector<std::string> mLines = {
      Line("03/01/2026", "1:15:00", "AB", "100", "10", "Design review"),
      Line("03/08/2026", "2:00:00", "CD", "101", "10", "Plan\twith a tab"),
      Line("03/09/2026", "0:30:00", "AB", "102", "11", "Café"),
      Line("03/29/2026", "1.5", "EF", "100", "10", "After the clocks changed"),
  };
};

TEST_F(EditCommandsTest, InTheGroupedListAGroupRowStandsForItsEntriesAndUndoingAllKeepsTheFile) {
  const std::string path = WriteSheet("sheet.txt", mLines);
  WTimeSheetDocument * document = Open(path);
  const std::vector<std::string> original = Lines(document);
  View(document).OnGroup(WCommandIds::eGroupByWhoCode);
  WTreeListBox * tree = View(document).TreeBox();
  tree->SyncRows();
  tree->SetSelection(0); // the group AB
  ASSERT_TRUE(Run(document, wxID_CUT));
  EXPECT_EQ(Clipboard(), W(original[0] + "\n" + original[2] + "\n"));
  EXPECT_EQ(Lines(document), (std::vector<std::string>{original[1], original[3]}));
  tree->SyncRows();
  tree->SetSelection(1); // the entry of CD
  ASSERT_TRUE(Run(document, wxID_DELETE));
  EXPECT_EQ(Lines(document), std::vector<std::string>{original[3]});
  tree->SyncRows();
  EXPECT_EQ(tree->GroupRowText(0), "EF:  01:30:00");
  ASSERT_TRUE(Run(document, wxID_UNDO));
  ASSERT_TRUE(Run(document, wxID_UNDO));
  EXPECT_EQ(Lines(document), original);
  EXPECT_FALSE(document->IsDirty()); // back at the saved state
  EXPECT_TRUE(document->Save());
  EXPECT_EQ(Bytes(path), Bytes(WriteSheet("again.txt", mLines)));
}

TEST_F(EditCommandsTest, CopiedLinesPasteIntoAnotherSheetByteForByte) {
  WTimeSheetDocument * source = Open(WriteSheet("source.txt", mLines));
  View(source).OnSort(WCommandIds::eSortByDuration);
  View(source).ListBox()->SelectAll();
  ASSERT_TRUE(Run(source, wxID_COPY));
  const std::string emptyPath = WriteSheet("target.txt", {});
  WTimeSheetDocument * target = Open(emptyPath);
  ASSERT_TRUE(Run(target, wxID_PASTE));
  EXPECT_EQ(target->GetEditHistory().GetUndoMenuLabel(), "&Undo Paste 4 Entries\tCtrl+Z");
  EXPECT_EQ(View(target).ListBox()->SelectedEntries().size(), 4U);
  ASSERT_TRUE(target->Save());
  EXPECT_EQ(Bytes(emptyPath), mLines[2] + mLines[0] + mLines[3] + mLines[1]); // in the view's order: by duration

  // Text without a line pastes nothing and says so.
  SetClipboard(" \n\t\r\n");
  ASSERT_TRUE(Run(target, wxID_PASTE));
  EXPECT_EQ(target->GetData().size(), 4U);
  EXPECT_EQ(target->GetTimeSheetWindow()->GetStatusMessage(), "Nothing pasted: the clipboard holds no time sheet line");
}

TEST_F(EditCommandsTest, MergeAndClearEndTheHistory) {
  WTimeSheetDocument * document = Open(WriteSheet("sheet.txt", mLines));
  WListListBox * list = View(document).ListBox();
  list->SyncRows();
  list->Select(0, true);
  ASSERT_TRUE(Run(document, wxID_DELETE));
  EXPECT_TRUE(guitest::IsCommandEnabled(wxID_UNDO));
  WTallyworthApp::sClearFilesAfterMergingFlag = false;
  document->MergeFiles({wxString::FromUTF8(WriteSheetOf("more.txt", 2).c_str())});
  EXPECT_EQ(document->GetData().size(), 5U);
  EXPECT_FALSE(guitest::IsCommandEnabled(wxID_UNDO));
  list->SyncRows();
  list->Select(0, true);
  ASSERT_TRUE(Run(document, wxID_DELETE));
  ASSERT_TRUE(Run(document, wxID_UNDO));
  EXPECT_TRUE(document->IsDirty()); // the merge is still unsaved
  document->ClearTimeSheet();
  EXPECT_FALSE(guitest::IsCommandEnabled(wxID_UNDO) || guitest::IsCommandEnabled(wxID_REDO));
}

TEST_F(EditCommandsTest, RandomEditsAndUndosEndAsAPlainModelDoes) {
  WTimeSheetDocument * document = Open(WriteSheet("sheet.txt", mLines));
  WListListBox * list = View(document).ListBox();
  std::mt19937 random(7);
  auto below = [&](std::size_t inLimit) { return std::uniform_int_distribution<std::size_t>(0, inLimit - 1)(random); };
  // The model: every state the history can reach, the present one and the saved one.
  std::vector<std::vector<std::string>> states{Lines(document)};
  std::size_t present = 0;
  long saved = 0;
  auto changed = [&](std::vector<std::string> inState) {
    states.resize(present + 1);
    if (saved > static_cast<long>(present))
      saved = -1;
    states.push_back(std::move(inState));
    ++present;
  };
  const auto edit = [&](const std::string & inText) {
    list->InPlaceEditControl()->ChangeValue(inText);
    list->InPlaceEditControl()->MarkDirty();
    return list->CommitInPlaceEdit();
  };
  for (int step = 0; step < 300; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    std::vector<std::string> state = states[present];
    const std::size_t choice = below(100);
    if (choice < 20 && !state.empty()) {
      list->SyncRows();
      list->DeselectAll();
      std::vector<bool> picked(state.size(), false);
      for (std::size_t row = 0; row < list->size(); ++row)
        if (below(3) == 0)
          list->Select(row, true), picked[(*list)[row]] = true;
      if (list->GetSelectedCount() == 0)
        continue;
      ASSERT_TRUE(Run(document, below(2) ? wxID_DELETE : wxID_CUT));
      std::vector<std::string> kept;
      for (std::size_t index = 0; index < state.size(); ++index)
        if (!picked[index])
          kept.push_back(state[index]);
      changed(kept);
    } else if (choice < 35) {
      const std::string line = "03/1" + std::to_string(below(10)) + "/2026\t" + std::to_string(below(9)) +
                               ":00:00\tZZ\t" + std::to_string(step) + "\t10\tpasted";
      SetClipboard(wxString::FromUTF8((line + "\r\n" + line + "x").c_str()));
      ASSERT_TRUE(Run(document, wxID_PASTE));
      state.push_back(line);
      state.push_back(line + "x");
      changed(state);
    } else if (choice < 45) {
      ASSERT_TRUE(Run(document, WCommandIds::eNewEntry));
      ASSERT_NE(list->InPlaceEditControl(), nullptr);
      state.push_back(document->GetData().back()); // the new entry, then its duration
      changed(state);
      ASSERT_TRUE(edit(std::to_string(below(5)) + ":30"));
      changed(Lines(document));
    } else if (choice < 52 && !state.empty()) {
      const std::size_t row = below(list->size());
      ASSERT_TRUE(list->OpenInPlaceEdit(row, STask::eWhoCode));
      const std::uint32_t index = (*list)[row];
      ASSERT_TRUE(edit("W" + std::to_string(step)));
      state[index] = document->GetData()[index];
      changed(state);
    } else if (choice < 80) {
      EXPECT_EQ(Run(document, wxID_UNDO), present > 0);
      present -= present > 0 ? 1 : 0;
    } else if (choice < 93) {
      EXPECT_EQ(Run(document, wxID_REDO), present + 1 < states.size());
      present += present + 1 < states.size() ? 1 : 0;
    } else {
      ASSERT_TRUE(document->Save());
      saved = static_cast<long>(present);
    }
    ASSERT_EQ(Lines(document), states[present]);
    std::uint64_t total = 0;
    for (const std::string & line : states[present])
      total += static_cast<unsigned long>(viewtest::MakeTask(line).GetDuration());
    ASSERT_EQ(document->GetData().GetTotalSeconds(), total);
    ASSERT_EQ(document->IsDirty(), saved != static_cast<long>(present));
  }
}

} // namespace
