// A small `acqus` text for the tests: the keys the reader needs, in the
// order a spectrometer writes them, each of which a test may change or
// drop.
#pragma once
#include <map>
#include <string>
#include <vector>

struct AcqusBuilder {
  // Key -> the whole line after "##$KEY=" (an array's further lines after
  // a '\n' in it). An empty optional-like marker: erase the key.
  std::vector<std::pair<std::string, std::string>> lines = {
      {"BF1", " 79.4948"},
      {"BYTORDA", " 0"},
      {"D",
       " (0..63)\n0 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1 1.1 1.2 1.3 1.4 1.5 0.0002 "
       "1.7 1.8 1.9 0.05\n2.1 2.2"},
      {"DECIM", " 16"},
      {"DSPFVS", " 10"},
      {"DTYPA", " 0"},
      {"GRPDLY", " 76"},
      {"NUC1", " <29Si>"},
      {"O1", " 1200"},
      {"P",
       " (0..63)\n0 12.5 25 3 4 5 6 7 8 9 10\n11 12 13 14 15 16 17 18 19 20 21 22 23 24 "
       "25 26 27 28 29 1500 31"},
      {"PULPROG", " <zg>"},
      {"SFO1", " 79.4960"},
      {"SW_h", " 10000"},
      {"TD", " 2048"},
  };

  AcqusBuilder& Set(const std::string& key, const std::string& rest) {
    for (auto& l : lines)
      if (l.first == key) {
        l.second = rest;
        return *this;
      }
    lines.push_back({key, rest});
    return *this;
  }
  AcqusBuilder& Erase(const std::string& key) {
    for (auto it = lines.begin(); it != lines.end(); ++it)
      if (it->first == key) {
        lines.erase(it);
        break;
      }
    return *this;
  }
  std::string Text(const std::string& eol = "\n") const {
    std::string t = "##TITLE= Parameter file" + eol + "##JCAMPDX= 5.0" + eol;
    for (const auto& l : lines) {
      std::string rest;
      for (char c : l.second) {
        if (c == '\n')
          rest += eol;
        else
          rest += c;
      }
      t += "##$" + l.first + "=" + rest + eol;
    }
    return t + "##END=" + eol;
  }
};
