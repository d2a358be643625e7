// Medians and the result line that scripts/bench turns into a table row.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Element-wise a[i] / b[i]: each round compares runs made next to each other.
inline std::vector<double> Ratios(const std::vector<double>& a, const std::vector<double>& b) {
  std::vector<double> r;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) r.push_back(b[i] > 0 ? a[i] / b[i] : 0);
  return r;
}

// ROW <tab> row <tab> project <tab> anchor <tab> ratio <tab> target <tab> met
inline void Row(const std::string& row, const std::string& project, const std::string& anchor,
                const std::string& ratio, const std::string& target, const std::string& met) {
  std::printf("ROW\t%s\t%s\t%s\t%s\t%s\t%s\n", row.c_str(), project.c_str(), anchor.c_str(),
              ratio.c_str(), target.c_str(), met.c_str());
  std::fflush(stdout);
}

// A line printed under the table.
inline void Note(const std::string& text) {
  std::printf("NOTE\t%s\n", text.c_str());
  std::fflush(stdout);
}

inline std::string Fmt(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

inline std::string Met(bool ok) { return ok ? "yes" : "**no**"; }

}  // namespace bench
