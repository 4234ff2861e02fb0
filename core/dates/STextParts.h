// Splits a short date or duration text into up to three numeric parts.
#pragma once

#include <cstddef>
#include <cstdint>

class STextParts {
public:
  /// One part: its value (0 when not a positive number), its length in characters and
  /// its offset in the text.
  struct Part {
    std::uint32_t value = 0;
    std::uint32_t count = 0;
    std::uint32_t start = 0;
  };

  /// Most parts a text is split into; text after the last one is ignored.
  static constexpr int kMaxParts = 3;
  /// Only this many leading characters of a text are looked at.
  static constexpr std::size_t kMaxChars = 256;

  /// Splits `inLength` characters at `inText`. A part ends at `inSeparator`, at any
  /// character below 32 and at the end of the text; a terminator at the very end opens
  /// no further part.
  STextParts(const char * inText, std::size_t inLength, char inSeparator);

  /// How many parts the text holds (0 to 3).
  int Present() const { return mPresent; }
  /// Part `inIndex` (0 to 2); absent parts have value 0 and count 0.
  const Part & operator[](int inIndex) const { return mParts[inIndex]; }

private:
  Part mParts[kMaxParts];
  int mPresent = 0;
};
