// Where the rows of a listing come from: a flat list of entries or a group tree.
#pragma once

class CRowSink;

class CRowSource {
public:
  virtual ~CRowSource() = default;
  /// Hands every row to inSink, in order, from Begin to End.
  virtual void Emit(CRowSink & ioSink) = 0;
};
