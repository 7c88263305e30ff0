// Helpers of the Bruker folder tests: the sample folders and their
// manifest, the independent Python reader, the entries of an item.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/core/bruker_reader.h"
#include "data_engine/ky_data.h"

inline std::string SamplesDir() { return std::string(VELTRIA_SOURCE_DIR) + "/samples/bruker"; }

// One row of samples/bruker/manifest.csv by column name.
using ManifestRow = std::map<std::string, std::string>;

inline std::vector<ManifestRow> ReadManifest() {
  std::ifstream in(SamplesDir() + "/manifest.csv");
  std::vector<ManifestRow> rows;
  std::string line;
  std::vector<std::string> header;
  auto split = [](const std::string& l) {
    std::vector<std::string> cells;
    std::stringstream s(l);
    std::string c;
    while (std::getline(s, c, ',')) cells.push_back(c);
    if (!l.empty() && l.back() == ',') cells.push_back("");
    return cells;
  };
  while (std::getline(in, line)) {
    if (header.empty()) {
      header = split(line);
      continue;
    }
    const std::vector<std::string> cells = split(line);
    ManifestRow row;
    for (size_t i = 0; i < header.size(); ++i) row[header[i]] = i < cells.size() ? cells[i] : "";
    rows.push_back(row);
  }
  return rows;
}

// Loads the data file of a manifest row into `root`: the reader's code.
inline LibErrorCode LoadManifestSample(const ManifestRow& row, cKyData* root) {
  const std::string path = SamplesDir() + "/" + row.at("folder") + "/" + row.at("data_file");
  return LoadBrukerData(root, std::u16string(path.begin(), path.end()).c_str());
}

// What the independent reader (tests/app_core/bruker_read.py) makes of a
// folder.
struct PyFolder {
  int status = -1;
  std::map<std::string, std::string> records, records2;
  std::vector<std::string> difflist;
  std::string data_name;
  size_t blocks = 0, points = 0;
  bool padding_ok = false;
  // [block][point] = (re, im)
  std::vector<std::vector<std::pair<double, double>>> samples;
};

inline PyFolder ReadWithPython(const std::string& folder) {
  PyFolder f;
  // The system interpreter starts fast; the reader needs no more than it.
  const std::string python = access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
  const std::string command = python + " " + std::string(VELTRIA_SOURCE_DIR) +
                              "/tests/app_core/bruker_read.py '" + folder + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return f;
  std::string all;
  char buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) all.append(buffer, n);
  const int rc = pclose(pipe);
  f.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  std::stringstream lines(all);
  std::string line;
  while (std::getline(lines, line)) {
    const size_t a = line.find(' ');
    const std::string kind = line.substr(0, a);
    const std::string rest = a == std::string::npos ? "" : line.substr(a + 1);
    if (kind == "record" || kind == "record2") {
      const size_t b = rest.find(' ');
      (kind == "record" ? f.records : f.records2)[rest.substr(0, b)] =
          b == std::string::npos ? "" : rest.substr(b + 1);
    } else if (kind == "difflist") {
      f.difflist.push_back(rest);
    } else if (kind == "data") {
      std::stringstream s(rest);
      s >> f.data_name >> f.blocks >> f.points;
      f.samples.assign(f.blocks, std::vector<std::pair<double, double>>(f.points));
    } else if (kind == "padding") {
      f.padding_ok = rest == "OK";
    } else if (kind == "point") {
      std::stringstream s(rest);
      size_t b, k;
      std::string re, im;
      s >> b >> k >> re >> im;
      if (b < f.blocks && k < f.points)
        f.samples[b][k] = {std::strtod(re.c_str(), nullptr), std::strtod(im.c_str(), nullptr)};
    }
  }
  return f;
}

// The entries of a node's parameter set in their order.
inline std::vector<std::pair<std::string, std::string>> EntriesOf(const cKyData& node) {
  std::vector<std::pair<std::string, std::string>> out;
  std::vector<char> name(1024), value(4096), extra(1024);
  for (Qlong at = 0;
       (at = node.parameters.GetEntryAt(at, name.data(), value.data(), extra.data())) >= 0;)
    out.push_back({name.data(), value.data()});
  return out;
}

inline std::string EntryOf(const cKyData& node, const char* name) {
  char value[1024];
  if (node.parameters.GetString(name, value) < 0) return "<missing>";
  return value;
}

// The i-th item of a space-separated record.
inline std::string Item(const std::string& record, size_t i) {
  std::stringstream s(record);
  std::string t;
  for (size_t k = 0; k <= i; ++k)
    if (!(s >> t)) return "<missing>";
  return t;
}
