// Wildcard comparison of texts and the process-wide case switch.
#include "syntax/SWildcardString.h"

#include <algorithm>
#include <string_view>

std::atomic<SWildcardString::ECaseSensitivity> SWildcardString::sCaseSensitivity{SWildcardString::eCaseSensitive};

namespace {

/// The position of the first "*" or "?" at or after `from`, or npos.
std::size_t FindWildcard(const std::string & text, std::size_t from) {
  for (std::size_t i = from; i < text.size(); ++i)
    if (text[i] == '*' || text[i] == '?')
      return i;
  return std::string::npos;
}

/// -1, 0 or 1: plain byte-wise comparison, a proper prefix first.
int Sign(std::string_view a, std::string_view b) {
  const int c = a.compare(b);
  return (c > 0) - (c < 0);
}

unsigned char Upper(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

/// Sign(upper(a), upper(b)) without making the upper-case copies.
int FoldedSign(std::string_view a, std::string_view b) {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = Upper(a[i]);
    const unsigned char y = Upper(b[i]);
    if (x != y)
      return x < y ? -1 : 1;
  }
  return (a.size() > b.size()) - (a.size() < b.size());
}

/// The first place at or after `from` where `segment` occurs in `subject`, letter case
/// ignored when `fold` is set; npos if none.
std::size_t Find(std::string_view subject, std::string_view segment, std::size_t from, bool fold) {
  if (!fold)
    return subject.find(segment, from);
  if (from > subject.size())
    return std::string_view::npos;
  const auto at = std::search(subject.begin() + static_cast<std::ptrdiff_t>(from), subject.end(), segment.begin(),
                              segment.end(), [](char x, char y) { return Upper(x) == Upper(y); });
  return at == subject.end() && !segment.empty() ? std::string_view::npos
                                                 : static_cast<std::size_t>(at - subject.begin());
}

} // namespace

bool SWildcardString::HasWildcards() const {
  return mCanWildcard && FindWildcard(*this, 0) != npos;
}

int SWildcardString::WildcardCompare(const SWildcardString & rhs) const {
  // Folding leaves "*" and "?" alone, so it is done byte by byte as the texts are compared.
  const bool fold = GlobalCaseSensitivity() == eNotCaseSensitive;
  const bool rightIsPattern = rhs.HasWildcards();
  if (!rightIsPattern && !HasWildcards())
    return fold ? FoldedSign(*this, rhs) : Sign(*this, rhs);
  if (rightIsPattern)
    return -Match(rhs, *this, fold);
  return Match(*this, rhs, fold);
}

// Walks the pattern segment by segment. A segment after "*" is looked for at its
// first occurrence from the current place (no backtracking), a segment after "?"
// starts one byte further on, the first segment (no leading wildcard) sits at the
// start, and the last segment is compared with the whole rest of the subject; a
// trailing wildcard tests nothing. The sign is that of the failing segment against
// the subject text at that place.
int SWildcardString::Match(const std::string & pattern, const std::string & subject, bool fold) {
  using Index = std::ptrdiff_t;
  const Index patternSize = static_cast<Index>(pattern.size());
  const Index subjectSize = static_cast<Index>(subject.size());
  const std::string_view subjectView(subject);

  Index wild = -1;
  WildType kind = eUnknownWild;
  if (patternSize > 0 && WildcardType(pattern[0]) != eUnknownWild) {
    wild = 0;
    kind = WildcardType(pattern[0]);
  }
  Index cursor = -1; // the subject position just before the current segment
  int result = 0;
  for (;;) {
    const Index segmentStart = wild + 1;
    const std::size_t found = FindWildcard(pattern, static_cast<std::size_t>(segmentStart));
    const Index nextWild = found == std::string::npos ? -1 : static_cast<Index>(found);
    Index segmentLength;
    Index partLength;
    WildType nextKind = eUnknownWild;
    if (nextWild < 0) {
      segmentLength = patternSize - segmentStart;
      partLength = subjectSize - (cursor + 1);
      if (partLength < 0)
        partLength = 0;
    } else {
      segmentLength = nextWild - segmentStart;
      partLength = segmentLength;
      nextKind = WildcardType(pattern[static_cast<std::size_t>(nextWild)]);
    }
    const std::string_view segment(pattern.data() + segmentStart, static_cast<std::size_t>(segmentLength));

    if (kind == eQuestionWild) {
      ++cursor;
    } else if (kind == eAsteriskWild && cursor + 1 <= subjectSize) {
      const std::size_t at = Find(subjectView, segment, static_cast<std::size_t>(cursor + 1), fold);
      if (at != std::string_view::npos)
        cursor = static_cast<Index>(at) - 1;
    }

    const Index partStart = cursor + 1;
    if (partStart >= subjectSize)
      partLength = 0;
    else if (partLength > subjectSize - partStart)
      partLength = subjectSize - partStart;
    if (!segment.empty()) {
      const std::string_view part = partStart >= subjectSize
          ? std::string_view()
          : subjectView.substr(static_cast<std::size_t>(partStart), static_cast<std::size_t>(partLength));
      result = fold ? FoldedSign(segment, part) : Sign(segment, part);
    }

    wild = nextWild;
    cursor += partLength;
    kind = nextKind;
    if (result != 0 || nextWild < 0)
      break;
  }
  return result;
}
