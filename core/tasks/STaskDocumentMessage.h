// The message a task document sends about itself: its dirty state or its stream changed.
#pragma once

/// What changed in a task document.
class STaskDocumentMessage {
public:
  enum ECode : int {
    eDirty = 0,    ///< the dirty state was set (changed or not)
    eStream = 1,   ///< a new stream was installed
    eSettings = 2  ///< the document's formats changed (not sent by the core)
  };

  /// A message with code inCode.
  explicit STaskDocumentMessage(ECode inCode) : mCode(inCode) {}

  /// What changed.
  ECode GetCode() const { return mCode; }

  bool operator==(const STaskDocumentMessage &) const = default;

  ECode mCode;
};
