// The fuzzer's bytes as a NUL-terminated text for the text parsers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

inline std::string FuzzText(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size).c_str();
}
