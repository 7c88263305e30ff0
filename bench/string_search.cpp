// Substring search of an absent 16-byte pattern in 256 MiB of text: the
// skip-table search, plain and case-insensitive, against the C library's
// memmem.
#include "base/string_search.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>

namespace {

constexpr size_t kTextBytes = size_t{256} << 20;

// Random lower-case letters, terminated; and a pattern that does not occur
// in it in either case.
struct Haystack {
  std::string text;
  std::string pattern;
  Haystack() : text(kTextBytes, 'a') {
    std::mt19937_64 rng(1234);
    for (char& c : text) c = static_cast<char>('a' + rng() % 26);
    std::string p(16, 'a');
    do {
      for (char& c : p) c = static_cast<char>('a' + rng() % 26);
    } while (memmem(text.data(), text.size(), p.data(), p.size()));
    pattern = p;
    pattern[0] = static_cast<char>(pattern[0] - 32);  // an upper-case start for the folding search
  }
};

const Haystack& Data() {
  static const Haystack data;
  return data;
}

void BM_StringLocateSubStringA(benchmark::State& state) {
  const Haystack& d = Data();
  const std::string lower =
      std::string(1, static_cast<char>(d.pattern[0] + 32)) + d.pattern.substr(1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        StringLocateSubStringA(d.text.data(), lower.c_str(), d.text.size(), 16, nullptr));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTextBytes);
}

// The skip-table search itself, as callers with a table of their own get it.
void BM_StringLocateSubStringA_CallerTable(benchmark::State& state) {
  const Haystack& d = Data();
  const std::string lower =
      std::string(1, static_cast<char>(d.pattern[0] + 32)) + d.pattern.substr(1);
  Qword table[256];
  BmhSkipTableA(lower.c_str(), 16, table);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        StringLocateSubStringA(d.text.data(), lower.c_str(), d.text.size(), 16, table));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTextBytes);
}

void BM_StringLocateSubStringExA_NoCase(benchmark::State& state) {
  const Haystack& d = Data();
  for (auto _ : state) {
    benchmark::DoNotOptimize(StringLocateSubStringExA(d.text.data(), d.pattern.c_str(),
                                                      d.text.size(), 16, 1, 0, nullptr));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTextBytes);
}

void BM_memmem(benchmark::State& state) {
  const Haystack& d = Data();
  const std::string lower =
      std::string(1, static_cast<char>(d.pattern[0] + 32)) + d.pattern.substr(1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(memmem(d.text.data(), d.text.size(), lower.data(), 16));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTextBytes);
}

}  // namespace

BENCHMARK(BM_StringLocateSubStringA)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringLocateSubStringA_CallerTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringLocateSubStringExA_NoCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_memmem)->Unit(benchmark::kMillisecond);
