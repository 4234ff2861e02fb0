// The common base of documents: a marker with no state of its own.
#pragma once

/// The base every kind of document derives from.
class SDocument {
public:
  virtual ~SDocument();
};
