// A polymorphic predicate over elements of type T.
#pragma once

/// Decides whether an element passes; this base accepts every element.
template <class T>
class TFilter {
public:
  virtual ~TFilter() = default;

  /// True when inElement passes. May update the filter's own working state.
  virtual bool operator()(const T & inElement) {
    static_cast<void>(inElement);
    return true;
  }
};
