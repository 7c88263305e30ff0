// Writers of integers, pointers, byte counts and booleans, and byte blocks
// as text and back.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "base/memory.h"
#include "base/number_text.h"

namespace {

std::string Narrow(const char16_t* w) {
  std::string s;
  for (; *w; ++w) s.push_back(static_cast<char>(*w));
  return s;
}

// Independent digits of v in radix r by repeated division in 128 bits.
std::string Digits(unsigned __int128 v, unsigned r) {
  std::string s;
  do {
    s.insert(s.begin(), "0123456789ABCDEF"[static_cast<unsigned>(v % r)]);
    v /= r;
  } while (v);
  return s;
}

TEST(IntegerWriters, DocumentedCases) {
  char b[80];
  EXPECT_EQ(DwordToBufferA(255, b, 16), 2u);
  EXPECT_STREQ(b, "FF");
  EXPECT_EQ(LongToBufferA(-255, b, 2), 9u);
  EXPECT_STREQ(b, "-11111111");
  EXPECT_EQ(QlongToBufferA(INT64_MIN, b, 10), 20u);
  EXPECT_STREQ(b, "-9223372036854775808");
  EXPECT_EQ(LongToBufferA(INT32_MIN, b, 16), 9u);
  EXPECT_STREQ(b, "-80000000");
  // Radix below 2: the unsigned and 32-bit forms still write 0 for 0.
  EXPECT_EQ(DwordToBufferA(0, b, 1), 1u);
  EXPECT_STREQ(b, "0");
  EXPECT_EQ(LongToBufferA(0, b, 0), 1u);
  EXPECT_EQ(QwordToBufferA(0, b, 1), 1u);
  EXPECT_EQ(QlongToBufferA(0, b, 1), 0u);
  EXPECT_STREQ(b, "");
  EXPECT_EQ(DwordToBufferA(5, b, 1), 0u);
  // Digit values above 15 are written by their low 4 bits.
  EXPECT_EQ(DwordToBufferA(17 * 20 + 18, b, 20), 2u);
  EXPECT_STREQ(b, "12");
  char16_t w[80];
  EXPECT_EQ(QwordToBuffer(~Qword{0}, w, 2), 64u);
  EXPECT_EQ(Narrow(w), std::string(64, '1'));
}

TEST(IntegerWriters, AgainstIndependentDigits) {
  std::mt19937_64 rng(3);
  char b[80];
  char16_t w[80];
  for (int i = 0; i < 20000; ++i) {
    const Qword v = rng() >> (rng() % 64);
    const Dword r = 2 + static_cast<Dword>(rng() % 15);
    QwordToBufferA(v, b, r);
    ASSERT_EQ(b, Digits(v, r));
    const Qlong s = static_cast<Qlong>(rng());
    const unsigned __int128 mag =
        s < 0 ? static_cast<unsigned __int128>(-(static_cast<__int128>(s))) : s;
    QlongToBuffer(s, w, r);
    ASSERT_EQ(Narrow(w), (s < 0 ? "-" : "") + Digits(mag, r));
    const Long l = static_cast<Long>(rng());
    LongToBufferA(l, b, r);
    ASSERT_EQ(b, (l < 0 ? "-" : "") + Digits(l < 0 ? -static_cast<Qlong>(l) : l, r));
    DwordToBufferA(static_cast<Dword>(v), b, r);
    ASSERT_EQ(b, Digits(static_cast<Dword>(v), r));
  }
}

TEST(OtherWriters, PointerBytesAndBooleans) {
  char b[64];
  EXPECT_EQ(PointerToBufferA(0, b), 4u);
  EXPECT_STREQ(b, "NULL");
  EXPECT_EQ(PointerToBufferA(~Qword{0}, b), 7u);
  EXPECT_STREQ(b, "INVALID");
  EXPECT_EQ(PointerToBufferA(0x1A2B, b), 6u);
  EXPECT_STREQ(b, "0x1A2B");
  const struct {
    Qword count;
    Dword detail;
    const char* text;
  } kmg[] = {{16383, 0, "16383"},
             {16384, 0, "16 K"},
             {16385, 1, "16 K+ [16385]"},
             {1048576, 0, "1024 K"},
             {16383, 0x100, "16383"},
             {16383, 7, "16383 [16383]"},
             {~Qword{0}, 0, "16383 P+"},
             {Qword{1} << 63, 0, "8192 P"},
             {Qword{16384} << 30, 0, "16 T"}};
  for (const auto& c : kmg) {
    EXPECT_EQ(QwordToKMGbufferA(b, c.count, c.detail), std::string(c.text).size()) << c.text;
    EXPECT_STREQ(b, c.text);
  }
  char16_t w[64];
  QwordToKMGbuffer(w, 16385, 1);
  EXPECT_EQ(Narrow(w), "16 K+ [16385]");
  EXPECT_EQ(BoolToBufferA(0x100, b), 5u);
  EXPECT_STREQ(b, "false");
  EXPECT_EQ(BoolToBuffer(2, w), 4u);
  EXPECT_EQ(Narrow(w), "true");
}

TEST(ByteText, DocumentedCasesAndRoundTrip) {
  const unsigned char bytes[] = {0x00, 0x05, 0xFF};
  char b[64];
  EXPECT_EQ(MemToBufferA(bytes, 3, b, sizeof b, 1), 24u);
  EXPECT_STREQ(b, "000000000000010111111111");
  EXPECT_EQ(MemToBufferA(bytes, 3, b, sizeof b, 3), 6u);
  EXPECT_STREQ(b, "0005FF");
  EXPECT_EQ(MemToBufferA(bytes, 3, b, 4, 3), 2u);
  EXPECT_STREQ(b, "00");
  b[0] = 'q';
  EXPECT_EQ(MemToBufferA(bytes, 3, b, 64, 2), 0u);
  EXPECT_EQ(b[0], 'q');  // other modes write nothing
  EXPECT_EQ(MemToBufferA(bytes, 3, b, 0, 3), 0u);
  EXPECT_EQ(b[0], 'q');  // capacity 0 writes nothing

  unsigned char out[16];
  Qword cap = 10;
  EXPECT_EQ(MemFromAsci(3, "0005FF", out, &cap), 0u);
  EXPECT_EQ(cap, 3u);
  EXPECT_EQ(out[0], 0x00);
  EXPECT_EQ(out[1], 0x05);
  EXPECT_EQ(out[2], 0xFF);
  EXPECT_EQ(out[3], 0x00);
  cap = 2;
  EXPECT_EQ(MemFromAsci(3, "0005FF", out, &cap), 0u);
  EXPECT_EQ(cap, 1u);
  cap = 10;
  EXPECT_EQ(MemFromAsci(3, "0005F", out, &cap), 0u);
  EXPECT_EQ(cap, 2u);
  cap = 10;
  EXPECT_EQ(MemFromAsci(3, "1G", out, &cap), 0u);  // digits before the bad one
  EXPECT_EQ(out[0], 1);
  cap = 10;
  EXPECT_EQ(MemFromAsci(1, "0000010111111111", out, &cap), 0u);
  EXPECT_EQ(cap, 2u);
  EXPECT_EQ(out[0], 5);
  EXPECT_EQ(out[1], 0xFF);
  out[0] = 0x77;
  cap = 0;
  EXPECT_EQ(MemFromAsci(3, "0005FF", out, &cap), 0u);
  EXPECT_EQ(out[0], 0x77);  // capacity 0 writes nothing
  EXPECT_EQ(cap, 0u);
  cap = 5;
  EXPECT_EQ(MemFromAsci(2, "00", out, &cap), 9u);
  EXPECT_EQ(cap, 5u);

  std::mt19937_64 rng(5);
  unsigned char data[300];
  for (auto& x : data) x = static_cast<unsigned char>(rng());
  for (Dword mode : {1u, 3u}) {
    char* text = nullptr;
    Qword len = 0;
    ASSERT_EQ(NewAsciFromMem(mode, data, sizeof data, &text, &len), 0u);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(len, sizeof data * (mode == 1 ? 8 : 2));
    unsigned char back[301];
    Qword c = sizeof back;
    ASSERT_EQ(MemFromAsci(mode, text, back, &c), 0u);
    EXPECT_EQ(c, sizeof data);
    EXPECT_EQ(0, std::memcmp(back, data, sizeof data));
    KillStringA(&text);
  }
}

TEST(ByteText, NewAsciFromMemErrors) {
  const unsigned char one = 0xAB;
  char* text = reinterpret_cast<char*>(1);
  Qword len = 7;
  EXPECT_EQ(NewAsciFromMem(3, nullptr, 1, &text, &len), 14u);
  EXPECT_EQ(NewAsciFromMem(3, &one, 0, &text, &len), 0u);
  EXPECT_EQ(len, 7u);  // count 0 leaves the outputs alone
  EXPECT_EQ(NewAsciFromMem(2, &one, 1, &text, &len), 9u);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(len, 0u);
  EXPECT_EQ(NewAsciFromMem(3, &one, ~Qword{0} / 2, &text, &len), 0x80001u);
  EXPECT_EQ(text, nullptr);
}

}  // namespace
