// A flat list on its own in a frame.
#include "view/ListHarness.h"

#include "controls/WInPlaceEdit.h"
#include "support/GuiTestSupport.h"
#include "view/ViewTestSupport.h"

namespace viewtest {

ListHarness::ListHarness(const std::vector<std::string> & inLines, const wxSize & inSize) {
  Append(vector, inLines);
  frame = new wxFrame(nullptr, wxID_ANY, "List", wxPoint(10, 10), inSize);
  list = new RecordingList(vector, columns, encoding);
  list->Create(frame, wxID_ANY, wxPoint(0, 0), inSize, wxVSCROLL | wxBORDER_NONE);
  columns.SetDescriptionWidth(inSize.x - 20 - columns.FixedWidth());
  frame->Show();
  guitest::WaitUntil([this] { return list->IsShownOnScreen() && list->GetClientSize().y > 100; });
  guitest::Flush();
}

ListHarness::~ListHarness() {
  list->Destroy();
  frame->Destroy();
  guitest::Flush();
}

wxPoint ListHarness::Cell(std::size_t inRow, int inColumn) const {
  const wxRect row = list->GetItemRect(inRow);
  const auto column = static_cast<std::size_t>(inColumn);
  return wxPoint(row.x + columns.mOffset[column] + std::min(columns.mWidth[column] / 2, 20), row.y + row.height / 2);
}

WInPlaceEdit * ListHarness::Open(std::size_t inRow, int inColumn) {
  DoubleClick(list, Cell(inRow, inColumn));
  return list->InPlaceEditControl();
}

void ListHarness::Type(const wxString & inText) {
  WInPlaceEdit * edit = list->InPlaceEditControl();
  edit->ChangeValue(inText);
  edit->MarkDirty();
}

std::string ListHarness::Field(std::size_t inRow, int inField) const {
  return std::string(list->get(static_cast<unsigned int>(inRow)).Subfield(static_cast<STask::EField>(inField)));
}

} // namespace viewtest
