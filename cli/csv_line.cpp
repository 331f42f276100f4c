#include "cli/csv_line.h"

namespace cli {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

char fieldSeparator(std::string_view line) {
  bool quoted = false;
  for (const char c : line) {
    if (c == '"') quoted = !quoted;
    if (c == ';' && !quoted) return ';';
  }
  return ',';
}

bool splitCsvLine(std::string_view line, char separator, std::vector<std::string>& fields) {
  fields.clear();
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && isBlank(line[i])) ++i;
    std::string& field = fields.emplace_back();
    if (i < line.size() && line[i] == '"') {
      ++i;
      while (true) {
        if (i == line.size()) return false;
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
      while (i < line.size() && isBlank(line[i])) ++i;
      if (i < line.size() && line[i] != separator) return false;
    } else {
      const std::size_t end = std::min(line.find(separator, i), line.size());
      std::size_t last = end;
      while (last > i && isBlank(line[last - 1])) --last;
      field.assign(line.substr(i, last - i));
      i = end;
    }
    if (i == line.size()) return true;
    ++i;  // the separator
  }
}

std::string csvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

}  // namespace cli
