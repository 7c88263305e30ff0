// Runs a piece of code in a child process whose standard streams are a
// pseudo-terminal (or pipes), drives it with scripted input and collects
// every byte it writes. Every wait is bounded.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct PtyStep {
  std::string wait_for;  // send once this text has appeared in the output
  std::string send;
};

struct PtyResult {
  std::string output;
  int exit_code = -1;  // the child's exit code; -1 when it was killed
  bool timed_out = false;
};

// terminal false: stdin and stdout are pipes, stdin closed after the steps.
PtyResult RunInPty(const std::function<int()>& body, const std::vector<PtyStep>& steps,
                   bool terminal = true, int timeout_ms = 5000);
