// One lexical unit of a filter expression: its type, text, sub-kind and syntactic class.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "syntax/STokenEnum.h"

class SToken : public STokenEnum {
public:
  /// The null token: (eNull, "", 0, 0).
  SToken() = default;
  /// A token with all four fields.
  SToken(EType type, std::string token, long extra = 0, long tokenClass = 0)
      : mType(type), mToken(std::move(token)), mExtra(static_cast<std::int32_t>(extra)),
        mClass(static_cast<std::int32_t>(tokenClass)) {}

  /// Sets all four fields.
  void assign(EType type, const std::string & token, long extra, long tokenClass) {
    mType = type;
    mToken = token;
    mExtra = static_cast<std::int32_t>(extra);
    mClass = static_cast<std::int32_t>(tokenClass);
  }

  EType Type() const { return mType; }
  void SetType(EType type) { mType = type; }
  const std::string & Token() const { return mToken; }
  /// The text, for in-place edits by reducers.
  std::string & MutableToken() { return mToken; }
  std::int32_t Extra() const { return mExtra; }
  void SetExtra(long extra) { mExtra = static_cast<std::int32_t>(extra); }
  std::int32_t Class() const { return mClass; }
  void SetClass(long tokenClass) { mClass = static_cast<std::int32_t>(tokenClass); }

private:
  EType mType = eNull;
  std::string mToken;
  std::int32_t mExtra = 0;
  std::int32_t mClass = 0;
};

using STokenVector = std::vector<SToken>;
