// The shared part of the undoable changes that add or remove entries.
#include "documents/WEntriesCommand.h"

#include <exception>
#include <utility>

#include "documents/WTimeSheetDocument.h"

WEntriesCommand::WEntriesCommand(WTimeSheetDocument & ioDocument, const wxString & inName,
                                 std::vector<std::uint32_t> inIndices, std::vector<STask> inTasks)
    : wxCommand(true, inName), mDocument(ioDocument), mIndices(std::move(inIndices)), mTasks(std::move(inTasks)) {}

wxString WEntriesCommand::CountedName(const wxString & inVerb, std::size_t inCount) {
  if (inCount == 1)
    return inVerb + " Entry";
  return wxString::Format("%s %zu Entries", inVerb, inCount);
}

bool WEntriesCommand::InsertEntries() {
  try {
    mDocument.InsertTasks(mIndices, mTasks);
  } catch (const std::exception &) {
    return false;
  }
  mDocument.ShowEntries(mIndices);
  return true;
}

bool WEntriesCommand::RemoveEntries() {
  try {
    mDocument.DeleteTasks(mIndices);
  } catch (const std::exception &) {
    return false;
  }
  return true;
}
