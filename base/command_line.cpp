#include "base/command_line.h"

#include <new>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One argument after the program name, from *i; leaves *i behind it.
void NextArgument(const std::string& line, size_t* i, std::string* arg) {
  const size_t n = line.size();
  bool quoted = false;
  size_t k = *i;
  while (k < n) {
    const char c = line[k];
    if (c == '\\') {
      size_t run = 0;
      while (k < n && line[k] == '\\') ++run, ++k;
      if (k < n && line[k] == '"') {
        arg->append(run / 2, '\\');
        if (run % 2) {
          arg->push_back('"');
          ++k;
        }
        // An even run leaves the quote to the next turn of the loop.
      } else {
        arg->append(run, '\\');
      }
    } else if (c == '"') {
      if (quoted && k + 1 < n && line[k + 1] == '"') {
        arg->push_back('"');
        k += 2;
      } else {
        quoted = !quoted;
        ++k;
      }
    } else if (IsBlank(c) && !quoted) {
      break;
    } else {
      arg->push_back(c);
      ++k;
    }
  }
  *i = k;
}

}  // namespace

bool SplitCommandLine(const std::string& line, std::vector<std::string>* args) {
  try {
    args->clear();
    const size_t n = line.size();
    size_t i = 0;
    while (i < n && IsBlank(line[i])) ++i;
    if (i == n) return true;
    std::string program;
    if (line[i] == '"') {
      const size_t end = line.find('"', i + 1);
      program = line.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
      i = end == std::string::npos ? n : end + 1;
    } else {
      const size_t start = i;
      while (i < n && !IsBlank(line[i])) ++i;
      program = line.substr(start, i - start);
    }
    args->push_back(std::move(program));
    for (;;) {
      while (i < n && IsBlank(line[i])) ++i;
      if (i >= n) break;
      std::string arg;
      NextArgument(line, &i, &arg);
      args->push_back(std::move(arg));
    }
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}
