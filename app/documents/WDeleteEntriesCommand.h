// The undoable removal of entries from a time sheet (Delete, Cut).
#pragma once

#include "documents/WEntriesCommand.h"

class WDeleteEntriesCommand : public WEntriesCommand {
public:
  using WEntriesCommand::WEntriesCommand;

  /// Takes the entries out.
  bool Do() override { return RemoveEntries(); }
  /// Puts them back where they were and selects them.
  bool Undo() override { return InsertEntries(); }
};
