// The undoable change of one field of one entry.
#include "documents/WEditFieldCommand.h"

#include <exception>

#include "application/WResourceStrings.h"
#include "documents/WTimeSheetDocument.h"

namespace {

wxString FieldName(int inField) {
  switch (inField) {
  case STask::eDate:
    return WResourceStrings::sDateFieldName;
  case STask::eDuration:
    return WResourceStrings::sDurationFieldName;
  case STask::eWhoCode:
    return WResourceStrings::sWhoCodeFieldName;
  case STask::eJobNumber:
    return WResourceStrings::sJobNumberFieldName;
  case STask::eTimeCode:
    return WResourceStrings::sTimeCodeFieldName;
  default:
    return WResourceStrings::sDescriptionFieldName;
  }
}

} // namespace

WEditFieldCommand::WEditFieldCommand(WTimeSheetDocument & ioDocument, std::uint32_t inIndex, const STask & inOld,
                                     const STask & inNew, int inField)
    : wxCommand(true, "Edit " + FieldName(inField)), mDocument(ioDocument), mIndex(inIndex), mOld(inOld),
      mNew(inNew) {}

bool WEditFieldCommand::Do() {
  // The first time the user is looking at the cell just edited: the selection stays.
  const bool show = mDone;
  mDone = true;
  return Store(mNew, show);
}

bool WEditFieldCommand::Undo() { return Store(mOld, true); }

bool WEditFieldCommand::Store(const STask & inTask, bool inShow) {
  try {
    mDocument.ReplaceTask(mIndex, inTask);
  } catch (const std::exception &) {
    return false;
  }
  if (inShow)
    mDocument.ShowEntries({mIndex});
  return true;
}
