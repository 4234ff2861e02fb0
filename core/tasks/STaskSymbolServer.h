// Publishes the six fields of a time entry as filter symbols and answers their values
// for the entry currently under test.
#pragma once

#include <string>

#include "syntax/SSymbol.h"
#include "syntax/SSymbolServer.h"
#include "syntax/STerm.h"
#include "tasks/STask.h"

class STaskSymbolServer : public SSymbolServer {
public:
  /// Symbol IDs, one per field.
  enum ESymbol { eDateSymbol = 1, eDurationSymbol = 2, eWhoSymbol = 3, eJobSymbol = 4, eCodeSymbol = 5,
                 eDescriptionSymbol = 6 };

  /// A server with no task under test.
  STaskSymbolServer() = default;

  /// The value of a field of the task under test; the null term with no task or an unknown ID.
  STerm Resolve(const SSymbol & symbol) const override;
  /// As Resolve, into `value`'s storage: filtering reads a field of every entry.
  void ResolveInto(const SSymbol & symbol, STerm & value) const override;
  /// Appends "date", "duration", "who", "job", "code" and "description", bound to this server.
  void Populate(SSymbolVector & symbols) override;
  /// Puts `task` (not owned; it must stay alive while it is tested) under test.
  virtual void SetTask(const STask & task) { mTask = &task; }
  /// Leaves no task under test.
  virtual void SetTask() { mTask = nullptr; }

private:
  const STask * mTask = nullptr;
};
