// The undoable addition of entries to a time sheet (New Entry, Paste).
#pragma once

#include "documents/WEntriesCommand.h"

class WInsertEntriesCommand : public WEntriesCommand {
public:
  using WEntriesCommand::WEntriesCommand;

  /// Puts the entries in and selects them.
  bool Do() override { return InsertEntries(); }
  /// Takes them out again.
  bool Undo() override { return RemoveEntries(); }
};
