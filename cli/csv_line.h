#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cli {

// The field separator of one CSV line: ';' where the line holds one outside double quotes,
// as spreadsheets write CSV where the comma is the decimal separator; else ','.
char fieldSeparator(std::string_view line);

// Splits one CSV line into its fields: separated by `separator`, blanks around a field
// dropped, a field in double quotes may hold separators and "" for a quote. False for a
// quote that is not closed or text after a closing quote; the fields are then incomplete.
bool splitCsvLine(std::string_view line, char separator, std::vector<std::string>& fields);

// A field as CSV writes it: quoted when it holds a comma, a quote or a line break.
std::string csvField(std::string_view text);

}  // namespace cli
