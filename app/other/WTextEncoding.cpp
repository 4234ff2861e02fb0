// UTF-8 or Windows-1252 for a time sheet's text.
#include "other/WTextEncoding.h"

#include <algorithm>
#include <cstring>

#include "tasks/STaskVector.h"

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the undefined ones keep their own value.
const wchar_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char EncodeCharacter(wxUniChar inCharacter) {
  const wxUint32 value = inCharacter.GetValue();
  if (value < 0x80 || (value >= 0xA0 && value <= 0xFF)) {
    return static_cast<char>(value);
  }
  for (int i = 0; i < 32; ++i) {
    if (static_cast<wxUint32>(kHighControls[i]) == value) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

} // namespace

WTextEncoding::WTextEncoding(STaskVector & ioVector) : mVector(ioVector) {
  mInvalidCount = CountInvalid(TVectorMessage<STask>(TVectorMessage<STask>::eInsert, 0, static_cast<std::uint32_t>(mVector.size())));
  mVector.AddListener(this);
}

bool WTextEncoding::IsValidUtf8(std::string_view inBytes) {
  const auto * p = reinterpret_cast<const unsigned char *>(inBytes.data());
  const unsigned char * const end = p + inBytes.size();
  while (p < end) {
    // Plain ASCII, eight bytes at a time.
    while (end - p >= 8) {
      std::uint64_t block;
      std::memcpy(&block, p, 8);
      if ((block & 0x8080808080808080ULL) != 0) {
        break;
      }
      p += 8;
    }
    if (p >= end) {
      break;
    }
    const unsigned char lead = *p;
    if (lead < 0x80) {
      ++p;
      continue;
    }
    std::size_t length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) {
        low = 0xA0;
      } else if (lead == 0xED) {
        high = 0x9F;
      }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) {
        low = 0x90;
      } else if (lead == 0xF4) {
        high = 0x8F;
      }
    } else {
      return false;
    }
    if (static_cast<std::size_t>(end - p) < length || p[1] < low || p[1] > high) {
      return false;
    }
    for (std::size_t i = 2; i < length; ++i) {
      if ((p[i] & 0xC0) != 0x80) {
        return false;
      }
    }
    p += length;
  }
  return true;
}

wxString WTextEncoding::DecodeWindows1252(std::string_view inBytes) {
  wxString text;
  text.reserve(inBytes.size());
  for (const char byte : inBytes) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= 0x80 && value < 0xA0) {
      text.append(1, wxUniChar(static_cast<wxUint32>(kHighControls[value - 0x80])));
    } else {
      text.append(1, wxUniChar(static_cast<wxUint32>(value)));
    }
  }
  return text;
}

std::string WTextEncoding::EncodeWindows1252(const wxString & inText) {
  std::string bytes;
  bytes.reserve(inText.length());
  for (const wxUniChar character : inText) {
    bytes.push_back(EncodeCharacter(character));
  }
  return bytes;
}

wxString WTextEncoding::Decode(std::string_view inBytes) const {
  if (inBytes.empty()) {
    return wxString();
  }
  if (IsUtf8()) {
    return wxString::FromUTF8Unchecked(inBytes.data(), inBytes.size());
  }
  return DecodeWindows1252(inBytes);
}

std::string WTextEncoding::Encode(const wxString & inText) const {
  if (IsUtf8()) {
    const wxScopedCharBuffer buffer = inText.utf8_str();
    return std::string(buffer.data(), buffer.length());
  }
  return EncodeWindows1252(inText);
}

void WTextEncoding::AppendUtf8(std::string_view inBytes, std::string & ioText) const {
  if (IsUtf8()) {
    ioText.append(inBytes);
    return;
  }
  for (const char byte : inBytes) {
    const auto value = static_cast<unsigned char>(byte);
    const wxUint32 code = value >= 0x80 && value < 0xA0 ? static_cast<wxUint32>(kHighControls[value - 0x80]) : value;
    if (code < 0x80) {
      ioText.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      ioText.push_back(static_cast<char>(0xC0 | (code >> 6)));
      ioText.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      ioText.push_back(static_cast<char>(0xE0 | (code >> 12)));
      ioText.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      ioText.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
}

bool WTextEncoding::FromUtf8(std::string_view inText, std::string & outBytes) const {
  if (!IsValidUtf8(inText)) {
    return false;
  }
  if (IsUtf8()) {
    outBytes.assign(inText);
    return true;
  }
  outBytes.clear();
  outBytes.reserve(inText.size());
  const auto * p = reinterpret_cast<const unsigned char *>(inText.data());
  const unsigned char * const end = p + inText.size();
  while (p < end) {
    // Valid UTF-8: the lead byte gives the length.
    wxUint32 code = *p;
    std::size_t length = 1;
    if (code >= 0xF0) {
      code &= 0x07;
      length = 4;
    } else if (code >= 0xE0) {
      code &= 0x0F;
      length = 3;
    } else if (code >= 0xC0) {
      code &= 0x1F;
      length = 2;
    }
    for (std::size_t i = 1; i < length; ++i) {
      code = (code << 6) | (p[i] & 0x3F);
    }
    p += length;
    const char byte = EncodeCharacter(wxUniChar(code));
    if (byte == '?' && code != '?') {
      return false;
    }
    outBytes.push_back(byte);
  }
  return true;
}

bool WTextEncoding::CanEncode(const wxString & inText) const {
  return IsUtf8() || DecodeWindows1252(EncodeWindows1252(inText)) == inText;
}

std::size_t WTextEncoding::CountInvalid(const TVectorMessage<STask> & inMessage) const {
  std::size_t count = 0;
  inMessage.ForEachIndex([&](std::uint32_t inIndex) {
    if (inIndex < mVector.size() && !IsValidUtf8(mVector[inIndex])) {
      ++count;
    }
  });
  return count;
}

void WTextEncoding::Adjust(std::ptrdiff_t inDelta) {
  if (inDelta == 0) {
    return;
  }
  const bool wasUtf8 = IsUtf8();
  mInvalidCount = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(mInvalidCount) + inDelta);
  if (wasUtf8 != IsUtf8()) {
    ++mGeneration;
  }
}

void WTextEncoding::ListenToInsertMessage(TVectorMessage<STask> inMessage) {
  Adjust(static_cast<std::ptrdiff_t>(CountInvalid(inMessage)));
}

void WTextEncoding::ListenToChangeMessage(TVectorMessage<STask> inMessage) {
  Adjust(static_cast<std::ptrdiff_t>(CountInvalid(inMessage)));
}

void WTextEncoding::ListenToNoticeMessage(TVectorMessage<STask> inMessage) {
  if (mInvalidCount == 0) {
    return; // nothing to take away
  }
  Adjust(-static_cast<std::ptrdiff_t>(CountInvalid(inMessage)));
}
