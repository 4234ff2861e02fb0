// The undoable change of one field of one entry, as the in-place editor makes it.
#pragma once

#include <cstdint>

#include <wx/cmdproc.h>

#include "tasks/STask.h"

class WTimeSheetDocument;

class WEditFieldCommand : public wxCommand {
public:
  /// Replaces entry `inIndex` (file order) of `ioDocument` (not owned), now `inOld`, by
  /// `inNew`; named "Edit <field name>" after field `inField`.
  WEditFieldCommand(WTimeSheetDocument & ioDocument, std::uint32_t inIndex, const STask & inOld, const STask & inNew,
                    int inField);

  /// Stores the new entry; when redone, also selects it.
  bool Do() override;
  /// Stores the old entry again and selects it.
  bool Undo() override;

private:
  bool Store(const STask & inTask, bool inShow);

  WTimeSheetDocument & mDocument; // not owned
  std::uint32_t mIndex;
  STask mOld;
  STask mNew;
  bool mDone = false;
};
