// The shared part of the undoable changes that add or remove entries of a time sheet: the
// entries themselves and where they stand in the file order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <wx/cmdproc.h>

#include "tasks/STask.h"

class WTimeSheetDocument;

class WEntriesCommand : public wxCommand {
public:
  /// The command named `inName` for `inTasks`, which stand (or will stand) at the ascending
  /// file-order indices `inIndices` of `ioDocument` (not owned; it owns the history that
  /// owns the command).
  WEntriesCommand(WTimeSheetDocument & ioDocument, const wxString & inName, std::vector<std::uint32_t> inIndices,
                  std::vector<STask> inTasks);

  /// "<inVerb> Entry" for one entry, "<inVerb> <n> Entries" for more.
  static wxString CountedName(const wxString & inVerb, std::size_t inCount);

  /// The entries' indices in file order, ascending.
  const std::vector<std::uint32_t> & Indices() const { return mIndices; }

protected:
  /// Puts the entries in at their indices and shows them selected; false if that failed.
  bool InsertEntries();
  /// Takes the entries out; false if that failed.
  bool RemoveEntries();

private:
  WTimeSheetDocument & mDocument; // not owned
  std::vector<std::uint32_t> mIndices;
  std::vector<STask> mTasks;
};
