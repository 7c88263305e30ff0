// Helpers of the Bruker folder tests: the sample folders and their
// manifest, the independent Python reader, the entries of an item.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
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

// What the third-party reader (tests/app_core/bruker_read_oracle.mjs, the
// npm package that tools/install-deps.sh installs) makes of a folder.
struct OracleFolder {
  bool read = false;  // false: refused (error says why) or not reached
  std::string error;
  std::map<std::string, std::string> meta;
  size_t blocks = 0, points = 0;
  std::vector<std::vector<std::pair<double, double>>> samples;  // [block][point]
};

inline bool OracleInstalled() {
  const std::string package = std::string(VELTRIA_SOURCE_DIR) +
                              "/tools/bruker_oracle/node_modules/brukerconverter/package.json";
  return access(package.c_str(), R_OK) == 0 && system("node --version >/dev/null 2>&1") == 0;
}

// Every folder in one start of the reader, by path.
inline std::map<std::string, OracleFolder> ReadWithOracle(const std::vector<std::string>& folders) {
  std::map<std::string, OracleFolder> out;
  std::string command =
      "node " + std::string(VELTRIA_SOURCE_DIR) + "/tests/app_core/bruker_read_oracle.mjs";
  for (const std::string& f : folders) command += " '" + f + "'";
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return out;
  std::string all;
  char buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) all.append(buffer, n);
  pclose(pipe);
  std::stringstream lines(all);
  std::string line;
  OracleFolder* f = nullptr;
  while (std::getline(lines, line)) {
    const size_t a = line.find(' ');
    const std::string kind = line.substr(0, a);
    const std::string rest = a == std::string::npos ? "" : line.substr(a + 1);
    if (kind == "folder") {
      f = &out[rest];
      continue;
    }
    if (!f) continue;
    if (kind == "error") {
      f->error = rest;
    } else if (kind == "meta") {
      const size_t b = rest.find(' ');
      f->meta[rest.substr(0, b)] = b == std::string::npos ? "" : rest.substr(b + 1);
    } else if (kind == "data") {
      std::stringstream s(rest);
      s >> f->blocks >> f->points;
      f->samples.assign(f->blocks, std::vector<std::pair<double, double>>(f->points));
      f->read = true;
    } else if (kind == "point") {
      std::stringstream s(rest);
      size_t b, k;
      std::string re, im;
      s >> b >> k >> re >> im;
      if (b < f->blocks && k < f->points)
        f->samples[b][k] = {std::strtod(re.c_str(), nullptr), std::strtod(im.c_str(), nullptr)};
    }
  }
  return out;
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

inline double EntryReal(const cKyData& node, const char* name) {
  return std::strtod(EntryOf(node, name).c_str(), nullptr);
}

// The third-party reader saw the item's acquisition parameters, its block
// and point counts and every sample (times `scale`, rounded when not
// `exact`, as a DTYPA 0 file holds processed data). A folder without SFO1
// (which the format lets a reader compute) is one the package refuses.
inline void ExpectOracleSaw(const OracleFolder& o, const std::string& folder, const cKyData& item,
                            double scale = 1, bool exact = true) {
  std::ifstream acqus(folder + "/acqus", std::ios::binary);
  const std::string text(std::istreambuf_iterator<char>(acqus), {});
  if (text.find("##$SFO1=") == std::string::npos) {
    EXPECT_FALSE(o.read) << folder;
    return;
  }
  ASSERT_TRUE(o.read) << folder << ": " << o.error;
  auto meta = [&](const char* key) {
    const auto it = o.meta.find(key);
    return it == o.meta.end() ? std::string("<missing>") : it->second;
  };
  auto real = [&](const char* key) { return std::strtod(meta(key).c_str(), nullptr); };
  // The blocks' own size: a BS entry may be stale after processing.
  if (item.FirstChild()) {
    EXPECT_EQ(std::stoull(meta("TD")) / 2, item.FirstChild()->points) << folder;
  }
  EXPECT_EQ(real("SW_h"), EntryReal(item, "SW")) << folder;
  EXPECT_EQ(real("SFO1"), EntryReal(item, "SYF1")) << folder;
  EXPECT_EQ(meta("NUC1"), "<" + EntryOf(item, "NUC") + ">") << folder;
  EXPECT_EQ(real("BYTORDA"), EntryReal(item, "BYTORDA")) << folder;
  EXPECT_EQ(real("DTYPA"), EntryReal(item, "DTYPA")) << folder;
  if (meta("GRPDLY") == "-1") {
    // The table's delay instead: the factors it was looked up with agree.
    EXPECT_EQ(real("DECIM"), EntryReal(item, "DECIM")) << folder;
    EXPECT_EQ(real("DSPFVS"), EntryReal(item, "DSPFVS")) << folder;
  } else {
    EXPECT_EQ(real("GRPDLY"), EntryReal(item, "GDLY")) << folder;
  }
  if (o.meta.count("TD2")) {
    EXPECT_EQ(real("TD2"), EntryReal(item, "NBLK")) << folder;
  }
  ASSERT_EQ(o.blocks, item.ChildCount()) << folder;
  for (size_t b = 0; b < o.blocks; ++b) {
    const cKyData& block = *item.Child(b);
    ASSERT_EQ(o.points, block.points) << folder;
    for (size_t k = 0; k < o.points; ++k) {
      double re = block.Row(1)[k] * scale, im = block.Row(2)[k] * scale;
      if (!exact) {
        re = std::round(re);
        im = std::round(im);
      }
      ASSERT_EQ(o.samples[b][k].first, re) << folder << " " << b << " " << k;
      ASSERT_EQ(o.samples[b][k].second, im) << folder << " " << b << " " << k;
    }
  }
}

// One folder through the third-party reader. Nothing is checked when the
// package is not installed (the sample-folder test says so by skipping).
inline void ExpectOracleSees(const std::string& folder, const cKyData& item, double scale = 1,
                             bool exact = true) {
  if (!OracleInstalled()) return;
  ExpectOracleSaw(ReadWithOracle({folder})[folder], folder, item, scale, exact);
}

// The i-th item of a space-separated record.
inline std::string Item(const std::string& record, size_t i) {
  std::stringstream s(record);
  std::string t;
  for (size_t k = 0; k <= i; ++k)
    if (!(s >> t)) return "<missing>";
  return t;
}
