// The character encoding in which a time sheet's bytes are shown and edited: UTF-8 when
// every entry is valid UTF-8, Windows-1252 otherwise. Unchanged text is never re-encoded,
// so it keeps its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <wx/string.h>

#include "tasks/STaskVectorListener.h"

class STaskVector;

class WTextEncoding : public STaskVectorListener {
public:
  /// Follows `ioVector` (not owned; must outlive this object or unregister it by dying).
  explicit WTextEncoding(STaskVector & ioVector);

  /// True while every entry of the vector is valid UTF-8 (also for an empty vector).
  bool IsUtf8() const { return mInvalidCount == 0; }
  /// Counts how often IsUtf8() changed, so that a display can tell when to redraw all.
  std::uint32_t Generation() const { return mGeneration; }

  /// The text of `inBytes` in the current encoding.
  wxString Decode(std::string_view inBytes) const;
  /// `inText` as bytes in the current encoding; characters that Windows-1252 cannot hold
  /// become "?".
  std::string Encode(const wxString & inText) const;

  /// Appends the UTF-8 form of `inBytes` (in the current encoding) to `ioText`: the text
  /// Decode gives, without going through a wide string.
  void AppendUtf8(std::string_view inBytes, std::string & ioText) const;
  /// The UTF-8 text `inText` as bytes in the current encoding, as Encode gives them; false
  /// when `inText` is not valid UTF-8 or holds a character Windows-1252 has not (as for
  /// CanEncode), and `outBytes` is then unspecified.
  bool FromUtf8(std::string_view inText, std::string & outBytes) const;

  /// Whether Encode keeps every character of `inText` (always in UTF-8; in Windows-1252
  /// only the characters the code page has).
  bool CanEncode(const wxString & inText) const;

  /// Whether `inBytes` is well-formed UTF-8 (no overlong forms, surrogates or values beyond
  /// U+10FFFF).
  static bool IsValidUtf8(std::string_view inBytes);
  /// Windows-1252 bytes as text; the five bytes the code page leaves undefined map to the
  /// control characters of the same value, so every byte comes back by EncodeWindows1252.
  static wxString DecodeWindows1252(std::string_view inBytes);
  /// Text as Windows-1252 bytes, "?" for characters the code page has not.
  static std::string EncodeWindows1252(const wxString & inText);

  void ListenToInsertMessage(TVectorMessage<STask> inMessage) override;
  void ListenToChangeMessage(TVectorMessage<STask> inMessage) override;
  void ListenToNoticeMessage(TVectorMessage<STask> inMessage) override;

private:
  // Counts the entries the message concerns that are not valid UTF-8.
  std::size_t CountInvalid(const TVectorMessage<STask> & inMessage) const;
  void Adjust(std::ptrdiff_t inDelta);

  STaskVector & mVector; // not owned
  std::size_t mInvalidCount = 0;
  std::uint32_t mGeneration = 0;
};
