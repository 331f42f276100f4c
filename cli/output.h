#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "chart/curve_ends.h"
#include "chart/reading.h"
#include "cli/columns.h"
#include "cli/commands.h"

namespace cli {

// A reading's columns, as every record that holds a reading shows them.
std::span<const Column<chart::Reading>> readingColumns();

// What every writer shares: a line at a time, the header or a record, made from column tables
// and sent out whole with its line end, in the order given. The header line is a table's in
// text and CSV's in CSV; JSON has none and writes one object a line.
class RecordWriter {
 protected:
  // `numbered`: each record starts with the number of its input line and, in CSV, ends with
  // the error of a refused one (batches).
  RecordWriter(std::FILE* out, Format format, bool numbered)
      : format_(format), out_(out), numbered_(numbered) {}

  void startHeader();
  // A record with an error shows the error alone: in CSV after every column left empty.
  void start(std::uint64_t line = 0, std::string_view error = {});
  // Adds the columns this format shows: their heads on the header line, else their values in
  // `row`, all null where there is no row.
  template <typename Columns>
  void add(const Columns& columns, const typename Columns::value_type::RowType* row) {
    if (!columnsShown()) return;
    for (const auto& column : columns) {
      if (!column.shown.in(format_)) continue;
      const Value value = heading_                ? Value(std::string(column.head(format_)))
                          : row && error_.empty() ? column.value(*row)
                                                  : Value();
      put(column.name, value, column.align, column.width, column.gap);
    }
  }
  void finish();

  Format format_;
  Json json_;  // a record's object, kept from record to record so that its keys are made once

 private:
  bool columnsShown() const;
  void put(std::string_view name, const Value& value, Align align, std::size_t width,
           std::size_t gap);

  std::FILE* out_;
  bool numbered_;
  bool heading_ = false;
  std::string error_;
  std::size_t cells_ = 0;
  std::string record_;
  Json failure_;
};

// Writes the readings of at, calculate and belt.
class ReadingWriter : RecordWriter {
 public:
  ReadingWriter(std::FILE* out, Format format, bool calculator, bool numbered)
      : RecordWriter(out, format, numbered), calculator_(calculator) {}

  void header();
  void write(std::uint64_t line, const Outcome& outcome);

 private:
  void addColumns(const Outcome* outcome);

  bool calculator_;
};

// Writes the curve ends of chart rows.
class CurveWriter : RecordWriter {
 public:
  CurveWriter(std::FILE* out, Format format) : RecordWriter(out, format, false) {}

  void header();
  void write(const chart::RowCurveEnds& row);
};

}  // namespace cli
