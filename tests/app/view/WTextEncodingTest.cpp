// The text encoding of a time sheet: UTF-8 while every entry is valid UTF-8, else
// Windows-1252, and bytes that come back unchanged.
#include <gtest/gtest.h>

#include <random>

#include "other/WTextEncoding.h"
#include "view/ViewTestSupport.h"

using namespace viewtest;

TEST(WTextEncoding, RecognisesWellFormedUtf8Only) {
  EXPECT_TRUE(WTextEncoding::IsValidUtf8(""));
  EXPECT_TRUE(WTextEncoding::IsValidUtf8("plain ASCII text that is longer than eight bytes"));
  EXPECT_TRUE(WTextEncoding::IsValidUtf8("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));
  EXPECT_TRUE(WTextEncoding::IsValidUtf8(std::string_view("a\0b", 3)));
  EXPECT_FALSE(WTextEncoding::IsValidUtf8("caf\xE9"));                 // a Windows-1252 é
  EXPECT_FALSE(WTextEncoding::IsValidUtf8("\xC3"));                     // cut short
  EXPECT_FALSE(WTextEncoding::IsValidUtf8("abcdefgh\xC3("));            // bad continuation after a block
  EXPECT_FALSE(WTextEncoding::IsValidUtf8("\xC0\xAF"));                 // overlong
  EXPECT_FALSE(WTextEncoding::IsValidUtf8("\xE0\x80\xAF"));             // overlong
  EXPECT_FALSE(WTextEncoding::IsValidUtf8("\xED\xA0\x80"));             // a surrogate
  EXPECT_FALSE(WTextEncoding::IsValidUtf8("\xF4\x90\x80\x80"));         // beyond U+10FFFF
  EXPECT_FALSE(WTextEncoding::IsValidUtf8("\xF8\x88\x80\x80\x80"));
  EXPECT_FALSE(WTextEncoding::IsValidUtf8("\x80"));
}

TEST(WTextEncoding, EveryWindows1252ByteComesBack) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    all.push_back(static_cast<char>(byte));
  }
  const wxString text = WTextEncoding::DecodeWindows1252(all);
  EXPECT_EQ(text.length(), 256u);
  EXPECT_EQ(text[0x80], wxUniChar(0x20AC));
  EXPECT_EQ(text[0xE9], wxUniChar(0xE9));
  EXPECT_EQ(WTextEncoding::EncodeWindows1252(text), all);
  EXPECT_EQ(WTextEncoding::EncodeWindows1252(wxString::FromUTF8("\xE2\x86\x92 \xE2\x82\xAC")), "? \x80");
}

TEST(WTextEncoding, FollowsTheEntriesOfTheVector) {
  STaskVector vector;
  Append(vector, {"01/02/2012\t1:00:00\tAB\t1\tX\tplain", "01/02/2012\t1:00:00\tAB\t1\tX\tcaf\xC3\xA9"});
  WTextEncoding encoding(vector);
  EXPECT_TRUE(encoding.IsUtf8());
  const auto generation = encoding.Generation();
  EXPECT_EQ(encoding.Decode("caf\xC3\xA9"), wxString::FromUTF8("café"));
  EXPECT_EQ(encoding.Encode(wxString::FromUTF8("é")), "\xC3\xA9");

  Append(vector, {"01/02/2012\t1:00:00\tAB\t1\tX\tcaf\xE9"});
  EXPECT_FALSE(encoding.IsUtf8());
  EXPECT_NE(encoding.Generation(), generation);
  EXPECT_EQ(encoding.Decode("caf\xC3\xA9"), wxString::FromUTF8("cafÃ©"));
  EXPECT_EQ(encoding.Encode(wxString::FromUTF8("é")), "\xE9");

  // Replacing the one odd entry by a clean one makes the sheet UTF-8 again; so does clearing.
  vector.set(std::size_t{2}, MakeTask("01/02/2012\t1:00:00\tAB\t1\tX\tclean"));
  EXPECT_TRUE(encoding.IsUtf8());
  Append(vector, {"\xFF"});
  EXPECT_FALSE(encoding.IsUtf8());
  vector.erase(3, 4);
  EXPECT_TRUE(encoding.IsUtf8());
  Append(vector, {"\xFF", "\xFE"});
  vector.clear();
  EXPECT_TRUE(encoding.IsUtf8());

  // Random edits: the verdict always matches a fresh look at every entry.
  std::mt19937 random(99);
  const char * const lines[] = {"a\tb", "\xE9\tb", "\xC3\xA9\tb", "x\t\xFF"};
  for (int step = 0; step < 500; ++step) {
    const auto choice = random() % 3;
    if (choice == 0 || vector.empty()) {
      Append(vector, {lines[random() % 4]});
    } else if (choice == 1) {
      vector.set(static_cast<std::size_t>(random() % vector.size()), MakeTask(lines[random() % 4]));
    } else {
      const auto begin = static_cast<std::size_t>(random() % vector.size());
      vector.erase(begin, std::min(vector.size(), begin + 1 + random() % 3));
    }
    bool allValid = true;
    for (const STask & task : vector) {
      allValid = allValid && WTextEncoding::IsValidUtf8(task);
    }
    ASSERT_EQ(encoding.IsUtf8(), allValid) << "step " << step;
  }
}
