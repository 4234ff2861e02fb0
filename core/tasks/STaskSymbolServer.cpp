// The task fields as filter symbols.
#include "tasks/STaskSymbolServer.h"

#include <cstdint>

void STaskSymbolServer::Populate(SSymbolVector & symbols) {
  symbols.emplace_back("date", this, SSymbol::eDate, eDateSymbol);
  symbols.emplace_back("duration", this, SSymbol::eDuration, eDurationSymbol);
  symbols.emplace_back("who", this, SSymbol::eString, eWhoSymbol);
  symbols.emplace_back("job", this, SSymbol::eString, eJobSymbol);
  symbols.emplace_back("code", this, SSymbol::eString, eCodeSymbol);
  symbols.emplace_back("description", this, SSymbol::eString, eDescriptionSymbol);
}

STerm STaskSymbolServer::Resolve(const SSymbol & symbol) const {
  STerm value;
  ResolveInto(symbol, value);
  return value;
}

void STaskSymbolServer::ResolveInto(const SSymbol & symbol, STerm & value) const {
  if (mTask == nullptr) {
    value.Reset();
    return;
  }
  STask::EField field;
  switch (symbol.ID()) {
  case eDateSymbol:
    value.AssignInteger(static_cast<long>(static_cast<unsigned long>(mTask->GetDate())), STerm::eDate);
    return;
  case eDurationSymbol:
    value.AssignInteger(static_cast<long>(static_cast<unsigned long>(mTask->GetDuration())), STerm::eDuration);
    return;
  case eWhoSymbol:
    field = STask::eWhoCode;
    break;
  case eJobSymbol:
    field = STask::eJobNumber;
    break;
  case eCodeSymbol:
    field = STask::eTimeCode;
    break;
  case eDescriptionSymbol:
    field = STask::eDescription;
    break;
  default:
    value.Reset();
    return;
  }
  // Task text is never a pattern: its "*" and "?" are ordinary characters.
  value.AssignString(mTask->Subfield(field), 0);
}
