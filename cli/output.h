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

// Columns of the text format. A right-aligned column after another keeps at least one blank
// between them, so that an entry longer than its column (a calculator leaves whatever was
// typed) never runs into the last.
void padLeft(std::string& out, std::string_view text, std::size_t width);
void nextColumn(std::string& out, std::string_view text, std::size_t width);
void padRight(std::string& out, std::string_view text, std::size_t width);
// A text line ends at its last column's text, not at its padding.
void dropTrailingBlanks(std::string& line);
std::string_view boolText(bool value);
std::string dumped(const Json& json);

// A reading's fields, hscroll to reasons, as each format writes them.
void addReadingJson(Json& json, const chart::Reading& r);
void addReadingCsv(std::string& record, const chart::Reading& r);
void addReadingText(std::string& record, const chart::Reading& r);

// Writes readings one record a line: a table a person reads, CSV with a header line, or one
// JSON object a line. Each record goes out whole, in the order given.
// What every writer shares: the record being built, sent out whole with its line end.
class RecordWriter {
 protected:
  // `numbered`: each record starts with the number of its input line (batches).
  RecordWriter(std::FILE* out, Format format, bool numbered)
      : out_(out), format_(format), numbered_(numbered) {}
  void put();
  // The header line: the CSV columns or the text columns, after the line number's column.
  void putHeader(std::string_view csv, std::string_view text);

  std::FILE* out_;
  Format format_;
  bool numbered_;
  std::string record_;
};

class ReadingWriter : RecordWriter {
 public:
  ReadingWriter(std::FILE* out, Format format, bool calculator, bool numbered)
      : RecordWriter(out, format, numbered), calculator_(calculator) {}

  void header();
  void write(std::uint64_t line, const Outcome& outcome);

 private:
  bool calculator_;
  Json json_;
};

// Writes the curve ends of chart rows in the same three formats.
class CurveWriter : RecordWriter {
 public:
  CurveWriter(std::FILE* out, Format format) : RecordWriter(out, format, false) {}

  void header();
  void write(const chart::RowCurveEnds& row);
};

}  // namespace cli
