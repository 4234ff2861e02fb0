// A flat list on its own in a frame, over a task vector the test fills, that notes which
// rows it was asked to redraw.
#pragma once

#include <string>
#include <vector>

#include <wx/frame.h>

#include "other/WTextEncoding.h"
#include "other/WTimeSheetColumns.h"
#include "panes/WListListBox.h"
#include "tasks/STaskVector.h"

class WInPlaceEdit;

namespace viewtest {

class RecordingList : public WListListBox {
public:
  using WListListBox::WListListBox;
  std::vector<std::size_t> mRefreshed;
  void RefreshRow(size_t inRow) override {
    mRefreshed.push_back(inRow);
    WListListBox::RefreshRow(inRow);
  }
};

class ListHarness {
public:
  explicit ListHarness(const std::vector<std::string> & inLines, const wxSize & inSize = wxSize(640, 400));
  ~ListHarness();
  ListHarness(const ListHarness &) = delete;
  ListHarness & operator=(const ListHarness &) = delete;

  /// The middle of the cell of column `inColumn` in row `inRow` (the row must be visible).
  wxPoint Cell(std::size_t inRow, int inColumn) const;
  /// Double-clicks the cell and returns the edit box that opened (null if none).
  WInPlaceEdit * Open(std::size_t inRow, int inColumn);
  /// Replaces the open box's text as if typed.
  void Type(const wxString & inText);
  /// The text of field `inField` of the entry in row `inRow`.
  std::string Field(std::size_t inRow, int inField) const;

  STaskVector vector;
  WTimeSheetColumns columns;
  WTextEncoding encoding{vector};
  wxFrame * frame = nullptr;
  RecordingList * list = nullptr;
};

} // namespace viewtest
