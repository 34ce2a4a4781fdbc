#pragma once
#include <istream>
#include <string>
#include <vector>

namespace trackio {

// Reads one record of comma-separated values: fields may be quoted with '"' (a doubled quote
// inside stands for one) and then hold commas and line breaks. False at the end of input.
// `line` counts the input lines read so far; a quote left open raises std::runtime_error.
bool ReadCsvRecord(std::istream& in, std::vector<std::string>& fields, int& line);

// A field as CSV writes it: quoted when it holds a comma, a quote, a line break or leading or
// trailing blanks.
std::string CsvField(const std::string& text);

}  // namespace trackio
