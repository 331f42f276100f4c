#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cli {

// Splits one CSV line into its fields: separated by commas, blanks around a field dropped,
// a field in double quotes may hold commas and "" for a quote. False for a quote that is
// not closed or text after a closing quote; the fields are then incomplete.
bool splitCsvLine(std::string_view line, std::vector<std::string>& fields);

// A field as CSV writes it: quoted when it holds a comma, a quote or a line break.
std::string csvField(std::string_view text);

}  // namespace cli
