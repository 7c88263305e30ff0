#include "base/memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "base/bytes.h"
#include "support/alloc_failure.h"

namespace {

template <class T>
void ExpectRefusedAt(Qword first_refused) {
  Dword error = 12345;
  T* p = NewArrFill<T>(&error, first_refused);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(error, 0x80001u);
  error = 12345;
  p = NewArrFill<T>(&error, ~Qword{0});
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(error, 0x80001u);
  // One below the refused count is tried; it is far beyond memory except for
  // bytes, where the attempt itself must fail cleanly.
  error = 12345;
  p = NewArrFill<T>(&error, first_refused - 1);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(error, 0x80001u);
}

TEST(NewArrFill, RefusedCountsForEveryWidth) {
  ExpectRefusedAt<double>(Qword{1} << 61);
  ExpectRefusedAt<Qword>(Qword{1} << 61);
  ExpectRefusedAt<float>(Qword{1} << 62);
  ExpectRefusedAt<Dword>(Qword{1} << 62);
  ExpectRefusedAt<char16_t>(Qword{1} << 63);
  Dword error = 0;
  EXPECT_EQ(NewByteArrFill(&error, ~Qword{0}), nullptr);
  EXPECT_EQ(error, 0x80001u);
  EXPECT_EQ(NewByteArrFill(&error, ~Qword{0} - 1), nullptr);  // tried, and fails
  EXPECT_EQ(error, 0x80001u);
}

TEST(NewArrFill, CountZeroIsNullWithoutError) {
  Dword error = 77;
  EXPECT_EQ(NewRealArrFill(&error, 0), nullptr);
  EXPECT_EQ(error, 0u);
  error = 77;
  EXPECT_EQ(NewWordArrFill(&error, 0), nullptr);
  EXPECT_EQ(error, 0u);
}

TEST(NewArrFill, FillCopiesTheValueBitForBit) {
  Dword error = 77;
  const double fill = 1.5;
  double* a = NewRealArrFill(&error, 3, &fill);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(error, 0u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(a[i], 1.5);
  RArrKill(&a);
  EXPECT_EQ(a, nullptr);

  const double negative_zero = -0.0;
  double* z = NewRealArrFill(&error, 2, &negative_zero);
  ASSERT_NE(z, nullptr);
  EXPECT_TRUE(std::signbit(z[1]));
  RArrKill(&z);
}

TEST(NewArrFill, AllocationFailureGivesNullAndTheFlaggedCode) {
  AllocFailureGuard guard(0);
  Dword error = 0;
  EXPECT_EQ(NewRealArrFill(&error, 4), nullptr);
  EXPECT_EQ(error, 0x80001u);
  const double src[2] = {1, 2};
  EXPECT_EQ(NewArrCopyExtend(&error, src, 2, 1), nullptr);
  EXPECT_EQ(error, 0x80001u);
}

TEST(NewArrCopyExtend, CopiesTheSourceAndLeavesRoom) {
  const double src[2] = {3.25, -7.5};
  Dword error = 9;
  double* a = NewArrCopyExtend(&error, src, 2, 3);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(a[0], 3.25);
  EXPECT_EQ(a[1], -7.5);
  a[4] = 1;  // the extra room is writable (the sanitizer build checks the bound)
  RArrKill(&a);

  error = 9;
  EXPECT_EQ(NewArrCopyExtend(&error, nullptr, 2, 3), nullptr);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(NewArrCopyExtend(&error, src, 0, 0), nullptr);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(NewArrCopyExtend(&error, src, ~Qword{0}, 2), nullptr);  // the total wraps
  EXPECT_EQ(error, 0x80001u);
}

TEST(Kill, EveryNameReleasesAndClearsAndToleratesNull) {
  using KillFn = void (*)(void*);
  const KillFn kills[] = {CArrKill,  CFArrKill,  CMatKill,    IArrKill, IMatKill, IQArrKill,
                          IQMatKill, KillString, KillStringA, RArrKill, RMatKill, RPArrKill,
                          UArrKill,  UMatKill,   UQArrKill,   UQMatKill};
  for (KillFn kill : kills) {
    Dword error;
    double* block = NewRealArrFill(&error, 8);
    ASSERT_NE(block, nullptr);
    kill(&block);
    EXPECT_EQ(block, nullptr);
    kill(&block);  // a second release does nothing
    kill(nullptr);
  }
}

struct Probe {
  static int destroyed;
  virtual ~Probe() { ++destroyed; }
};
int Probe::destroyed = 0;
struct DerivedProbe : Probe {
  ~DerivedProbe() override { ++destroyed; }
};

TEST(Kill, KillObjectDestroysThroughTheVirtualDestructor) {
  Probe* p = new DerivedProbe;
  Probe::destroyed = 0;
  KillObject(&p);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(Probe::destroyed, 2);
  KillObject(&p);
  EXPECT_EQ(Probe::destroyed, 2);
}

TEST(MemCopy, MatchesMemmoveOnRandomOverlaps) {
  std::mt19937_64 rng(12345);
  std::vector<unsigned char> base(200), ours, theirs;
  for (int trial = 0; trial < 2000; ++trial) {
    for (auto& b : base) b = static_cast<unsigned char>(rng());
    const size_t n = rng() % 90;
    const size_t from = rng() % 100;
    const size_t to = rng() % 100;
    ours = base;
    theirs = base;
    EXPECT_EQ(MemCopy(ours.data() + to, ours.data() + from, n), ours.data() + to);
    std::memmove(theirs.data() + to, theirs.data() + from, n);
    ASSERT_EQ(ours, theirs) << "n=" << n << " from=" << from << " to=" << to;
  }
}

TEST(MemCopy, NullsAndZeroCountDoNothing) {
  unsigned char buf[4] = {1, 2, 3, 4};
  EXPECT_EQ(MemCopy(buf, nullptr, 4), buf);
  EXPECT_EQ(MemCopy(nullptr, buf, 4), nullptr);
  EXPECT_EQ(MemCopy(buf + 1, buf, 0), buf + 1);
  EXPECT_EQ(buf[1], 2);
}

TEST(MemZero, ClearsWordsAndTheRest) {
  std::vector<unsigned char> buf(23, 0xEE);
  EXPECT_EQ(MemZero(buf.data() + 1, 21), buf.data() + 1);
  EXPECT_EQ(buf[0], 0xEE);
  EXPECT_EQ(buf[22], 0xEE);
  for (int i = 1; i <= 21; ++i) EXPECT_EQ(buf[i], 0) << i;
  EXPECT_EQ(MemZero(nullptr, 5), nullptr);
}

TEST(MemAllocators, AllocateAndFreeThroughTheSameCall) {
  for (auto fn : {MemDefaultAllocOrFree, MemGlobalAllocOrFree}) {
    void* p = nullptr;
    EXPECT_EQ(fn(64, &p), 0u);
    ASSERT_NE(p, nullptr);
    std::memset(p, 1, 64);
    EXPECT_EQ(fn(0, &p), 0u);
    EXPECT_EQ(p, nullptr);
    AllocFailureGuard guard(0);
    EXPECT_EQ(fn(64, &p), 0x80001u);
    EXPECT_EQ(p, nullptr);
  }
}

TEST(MemAllocators, LargestBlockIsTheAvailableMemory) {
  const Qword a = MemDefaultMaxAllocatableBlock();
  EXPECT_GT(a, Qword{1} << 20);  // any machine that runs the tests has a megabyte free
  EXPECT_LE(a, Qword{1} << 50);
  EXPECT_GT(MemGlobalMaxAllocatableBlock(), Qword{1} << 20);
}

TEST(MemTest, OrdinaryMemoryPassesAndKeepsItsValues) {
  std::vector<unsigned char> buf(100);
  for (size_t i = 0; i < buf.size(); ++i) buf[i] = static_cast<unsigned char>(i * 7);
  const auto before = buf;
  void* fault = &buf;
  EXPECT_EQ(MemTest(buf.data(), buf.size(), &fault), 0u);
  EXPECT_EQ(fault, nullptr);
  EXPECT_EQ(buf, before);
  EXPECT_EQ(MemTest(nullptr, 10, &fault), 0u);
}

TEST(InvertBytesOrder, ReversesInPlaceAndCountsSwaps) {
  unsigned char five[5] = {1, 2, 3, 4, 5};
  EXPECT_EQ(InvertBytesOrder(five, 5), 2u);
  const unsigned char want5[5] = {5, 4, 3, 2, 1};
  EXPECT_EQ(std::memcmp(five, want5, 5), 0);
  // The byte order of a data word: 0x11223344 read the other way.
  Dword word = 0x11223344;
  EXPECT_EQ(InvertBytesOrder(&word, 4), 2u);
  EXPECT_EQ(word, 0x44332211u);
  EXPECT_EQ(InvertBytesOrder(five, 1), 0u);
}

Long CompareSigned(Qword a, Qword b) {
  const Qlong x = static_cast<Qlong>(a), y = static_cast<Qlong>(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

TEST(HeapSortByPointers, MatchesStdSortInEveryMode) {
  std::mt19937_64 rng(99);
  for (Qword n : {0, 1, 2, 3, 7, 64, 1000}) {
    std::vector<Qword> v(n);
    for (auto& x : v) x = rng() % 50 + (rng() % 3 == 0 ? (Qword{1} << 63) : 0);

    auto asc = v;
    HeapSortByPointers(n, asc.data(), nullptr, 1);
    auto want = v;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(asc, want) << n;

    auto desc = v;
    HeapSortByPointers(n, desc.data(), nullptr, -1);
    std::sort(want.begin(), want.end(), std::greater<Qword>());
    EXPECT_EQ(desc, want) << n;

    auto signed_order = v;
    HeapSortByPointers(n, signed_order.data(), CompareSigned, 0);
    want = v;
    std::sort(want.begin(), want.end(),
              [](Qword a, Qword b) { return static_cast<Qlong>(a) < static_cast<Qlong>(b); });
    EXPECT_EQ(signed_order, want) << n;
  }
}

TEST(HeapSortByPointers, UnsignedKeysAndSmallCases) {
  Qword v[3] = {3, 1, 2};
  HeapSortByPointers(3, v, nullptr, 1);
  EXPECT_EQ(v[0], 1u);
  EXPECT_EQ(v[2], 3u);
  Qword big[2] = {Qword{1} << 63, 1};
  HeapSortByPointers(2, big, nullptr, 0);
  EXPECT_EQ(big[0], 1u);
  HeapSortByPointers(5, nullptr, nullptr, 1);  // null array: nothing happens
}

TEST(BitsNeeded, CountsBinaryDigits) {
  const struct {
    Qword v;
    Dword bits;
  } rows[] = {{0, 1}, {1, 1}, {2, 2}, {255, 8}, {256, 9}, {Qword{1} << 63, 64}, {~Qword{0}, 64}};
  for (const auto& r : rows) {
    Dword bits = 0;
    BitsNeeded(&r.v, &bits);
    EXPECT_EQ(bits, r.bits) << r.v;
  }
}

}  // namespace
