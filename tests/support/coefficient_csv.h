#pragma once
// Reads a coefficient CSV back the way another program would: '#' lines skipped, the column
// line kept apart, every field after the first read as a C number.

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

struct CoefficientCsv {
  std::vector<std::string> comments;
  std::string columns;
  std::vector<std::vector<double>> rows;  // the fields after the index
};

inline CoefficientCsv ReadCoefficientCsv(const std::string& text) {
  CoefficientCsv csv;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind('#', 0) == 0) {
      csv.comments.push_back(line);
    } else if (csv.columns.empty()) {
      csv.columns = line;
    } else {
      std::vector<double> row;
      std::istringstream fields(line);
      std::string field;
      std::getline(fields, field, ',');  // k or the section's number
      while (std::getline(fields, field, ',')) row.push_back(std::strtod(field.c_str(), nullptr));
      csv.rows.push_back(row);
    }
  }
  return csv;
}
