#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "chart/curve_ends.h"
#include "cli/commands.h"

namespace cli {

using Json = nlohmann::ordered_json;

enum class Format { Text, Csv, Json };

// Writes readings one record a line: a table a person reads, CSV with a header line, or one
// JSON object a line. Each record goes out whole, in the order given.
class ReadingWriter {
 public:
  // `numbered`: each record starts with the number of its input line (batches).
  ReadingWriter(std::FILE* out, Format format, bool calculator, bool numbered);

  void header();
  void write(std::uint64_t line, const Outcome& outcome);

 private:
  void put();

  std::FILE* out_;
  Format format_;
  bool calculator_;
  bool numbered_;
  std::string record_;
  Json json_;
};

// Writes the curve ends of chart rows in the same three formats.
class CurveWriter {
 public:
  CurveWriter(std::FILE* out, Format format);

  void header();
  void write(const chart::RowCurveEnds& row);

 private:
  std::FILE* out_;
  Format format_;
  std::string record_;
};

}  // namespace cli
