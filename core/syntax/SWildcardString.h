// Text that may act as a pattern with "*" and "?" wildcards when compared, and the
// process-wide switch that makes all such comparisons ignore letter case.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

class SWildcardString : public std::string {
public:
  enum ECaseSensitivity { eCaseSensitive = 0, eNotCaseSensitive = 1 };
  enum WildType { eUnknownWild = -1, eAsteriskWild = 0, eQuestionWild = 1 };

  /// An empty text; `canWildcard` says whether "*" and "?" in it act as wildcards.
  explicit SWildcardString(bool canWildcard = false) : mCanWildcard(canWildcard) {}
  /// The given text; `canWildcard` says whether "*" and "?" in it act as wildcards.
  SWildcardString(std::string_view text, bool canWildcard) : std::string(text), mCanWildcard(canWildcard) {}

  /// Whether "*" and "?" in this text act as wildcards when it is compared.
  bool CanWildcard() const { return mCanWildcard; }
  /// Changes whether "*" and "?" in this text act as wildcards.
  void SetCanWildcard(bool canWildcard) { mCanWildcard = canWildcard; }
  /// Whether the text may wildcard and holds at least one wildcard character.
  bool HasWildcards() const;

  /// Negative, zero or positive as this text sorts before, equal to or after `rhs`,
  /// a wildcard pattern on either side matching as described in the implementation.
  int WildcardCompare(const SWildcardString & rhs) const;

  /// Sets the case rule for every later comparison in the process (on every thread).
  static void SetGlobalCaseSensitivity(ECaseSensitivity sensitivity) {
    sCaseSensitivity.store(sensitivity, std::memory_order_relaxed);
  }
  /// The case rule currently in force; safe to read from any thread.
  static ECaseSensitivity GlobalCaseSensitivity() { return sCaseSensitivity.load(std::memory_order_relaxed); }
  /// The kind of wildcard a byte is, or eUnknownWild for an ordinary byte.
  static WildType WildcardType(char c) {
    return c == '*' ? eAsteriskWild : (c == '?' ? eQuestionWild : eUnknownWild);
  }

  friend bool operator<(const SWildcardString & a, const SWildcardString & b) { return a.WildcardCompare(b) < 0; }
  friend bool operator>(const SWildcardString & a, const SWildcardString & b) { return b < a; }
  friend bool operator>=(const SWildcardString & a, const SWildcardString & b) { return !(a < b); }
  friend bool operator<=(const SWildcardString & a, const SWildcardString & b) { return !(b < a); }
  friend bool operator==(const SWildcardString & a, const SWildcardString & b) { return a.WildcardCompare(b) == 0; }
  friend bool operator!=(const SWildcardString & a, const SWildcardString & b) { return a.WildcardCompare(b) != 0; }

private:
  // `fold`: compare as if both texts were in upper case.
  static int Match(const std::string & pattern, const std::string & subject, bool fold);

  bool mCanWildcard;

  static std::atomic<ECaseSensitivity> sCaseSensitivity;
};
