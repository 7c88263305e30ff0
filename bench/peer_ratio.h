// Our time over a peer's time for the same work, measured in one run: the two
// are timed alternately for a number of rounds and the medians compared, so
// that drift of the machine's speed hits both alike.
#pragma once
#include <algorithm>
#include <chrono>
#include <vector>

template <class Ours, class Peer>
double PeerRatio(Ours ours, Peer peer, int rounds = 21) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> a, b;
  for (int r = 0; r < rounds; ++r) {
    auto t0 = Clock::now();
    ours();
    auto t1 = Clock::now();
    peer();
    auto t2 = Clock::now();
    a.push_back(std::chrono::duration<double>(t1 - t0).count());
    b.push_back(std::chrono::duration<double>(t2 - t1).count());
  }
  std::nth_element(a.begin(), a.begin() + rounds / 2, a.end());
  std::nth_element(b.begin(), b.begin() + rounds / 2, b.end());
  return a[rounds / 2] / b[rounds / 2];
}
