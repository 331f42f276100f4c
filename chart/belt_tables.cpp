#include "chart/belt_tables.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include <fast_float/fast_float.h>

namespace chart {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// A cell's text in quotes for a message; appended, as GCC 12 warns wrongly on '"' + string.
std::string quoted(std::string_view text) {
  std::string out(1, '"');
  out.append(text).push_back('"');
  return out;
}

// One CSV table: its header's fields and its rows' fields, with the line each row came from.
struct Csv {
  std::string_view name;
  std::vector<std::string_view> header;
  std::vector<std::vector<std::string_view>> rows;
  std::vector<int> lines;

  [[noreturn]] void fail(int line, const std::string& what) const {
    throw BeltTableError(std::string(name) + ", line " + std::to_string(line) + ": " + what);
  }

  // A cell as a number; NaN for an empty cell where `emptyAllowed`.
  double number(std::size_t row, std::size_t column, bool emptyAllowed = false) const {
    const std::string_view cell = rows[row][column];
    if (cell.empty() && emptyAllowed) return kNone;
    double value = 0;
    const auto [end, error] = fast_float::from_chars(cell.data(), cell.data() + cell.size(), value);
    if (error != std::errc() || end != cell.data() + cell.size() || !std::isfinite(value))
      fail(lines[row], quoted(cell) + " is no number");
    return value;
  }
};

std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  while (true) {
    const std::size_t comma = line.find(',');
    fields.push_back(line.substr(0, comma));
    if (comma == std::string_view::npos) return fields;
    line.remove_prefix(comma + 1);
  }
}

Csv csvOf(std::string_view name, std::string_view text, std::size_t columns = 0) {
  Csv csv{.name = name, .header = {}, .rows = {}, .lines = {}};
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line.starts_with('#')) continue;
    std::vector<std::string_view> fields = fieldsOf(line);
    if (csv.header.empty()) {
      if (columns != 0 && fields.size() != columns)
        csv.fail(number, "the header has " + std::to_string(fields.size()) + " columns, not " +
                             std::to_string(columns));
      csv.header = std::move(fields);
      continue;
    }
    if (fields.size() != csv.header.size())
      csv.fail(number, std::to_string(fields.size()) + " fields under a header of " +
                           std::to_string(csv.header.size()));
    csv.rows.push_back(std::move(fields));
    csv.lines.push_back(number);
  }
  if (csv.rows.empty()) throw BeltTableError(std::string(name) + ": no rows");
  return csv;
}

void requireAscending(const Csv& csv, const std::vector<double>& values, std::string_view what) {
  for (std::size_t i = 1; i < values.size(); ++i) {
    if (!(values[i] > values[i - 1]))
      throw BeltTableError(std::string(csv.name) + ": " + std::string(what) + " not ascending at " +
                           std::to_string(values[i]));
  }
}

// Where `x` lies among ascending `points`: the cell [i, i + 1] and the fraction into it; none
// outside them. A point on the last value lies at the end of the last cell.
std::optional<std::pair<std::size_t, double>> cellOf(const std::vector<double>& points, double x) {
  if (points.empty() || !(x >= points.front() && x <= points.back())) return std::nullopt;
  if (points.size() == 1) return std::pair<std::size_t, double>{0, 0.0};
  const auto upper = std::upper_bound(points.begin(), points.end(), x);
  const auto i =
      static_cast<std::size_t>(std::min(upper - points.begin(), std::ssize(points) - 1)) - 1;
  return std::pair{i, (x - points[i]) / (points[i + 1] - points[i])};
}

// On a table point the value is that point's, whatever its neighbour holds (an empty cell too).
double between(double a, double b, double t) {
  if (t == 0) return a;
  if (t == 1) return b;
  return a + (b - a) * t;
}

RatingTable ratingOf(const Csv& csv) {
  RatingTable table;
  std::size_t column = 1;
  for (; column < csv.header.size() && !csv.header[column].starts_with("add_"); ++column) {
    double d = 0;
    const std::string_view head = csv.header[column];
    fast_float::from_chars(head.data(), head.data() + head.size(), d);
    table.diameters.push_back(d);
  }
  for (std::size_t c = column; c < csv.header.size(); ++c) {
    std::string_view head = csv.header[c];
    head.remove_prefix(4);
    double band = 0;
    const auto [end, error] = fast_float::from_chars(head.data(), head.data() + head.size(), band);
    if (error != std::errc() || end != head.data() + head.size())
      csv.fail(1, quoted(csv.header[c]) + " names no ratio band");
    table.ratioBands.push_back(band);
  }
  if (table.diameters.empty() || table.ratioBands.empty())
    csv.fail(1, "no diameter or no ratio band in the header");
  for (std::size_t r = 0; r < csv.rows.size(); ++r) {
    table.speeds.push_back(csv.number(r, 0));
    for (std::size_t c = 1; c < column; ++c) table.ratings.push_back(csv.number(r, c, true));
    for (std::size_t c = column; c < csv.header.size(); ++c)
      table.additional.push_back(csv.number(r, c));
  }
  requireAscending(csv, table.diameters, "diameters");
  requireAscending(csv, table.speeds, "speeds");
  requireAscending(csv, table.ratioBands, "ratio bands");
  return table;
}

}  // namespace

std::optional<BeltProfile> profileNamed(std::string_view name) {
  for (const BeltProfile profile : BeltProfiles) {
    if (nameOf(profile) == name) return profile;
  }
  return std::nullopt;
}

std::optional<double> RatingTable::rating(double diameter, double speed) const {
  const auto across = cellOf(diameters, diameter);
  const auto down = cellOf(speeds, speed);
  if (!across || !down) return std::nullopt;
  const auto [c, tc] = *across;
  const auto [r, tr] = *down;
  const std::size_t width = diameters.size();
  const auto at = [&](std::size_t row, std::size_t column) {
    const std::size_t clampedRow = std::min(row, speeds.size() - 1);
    const std::size_t clampedColumn = std::min(column, width - 1);
    return ratings[clampedRow * width + clampedColumn];
  };
  const double top = between(at(r, c), at(r, c + 1), tc);
  const double bottom = between(at(r + 1, c), at(r + 1, c + 1), tc);
  const double value = between(top, bottom, tr);
  if (std::isnan(value)) return std::nullopt;
  return value;
}

std::optional<double> RatingTable::additionalPower(double ratio, double speed) const {
  const auto down = cellOf(speeds, speed);
  if (!down) return std::nullopt;
  // The manual names each band by ratios of two decimals: a ratio is placed as it prints.
  const double printed = std::round(ratio * 100) / 100;
  if (printed < ratioBands.front()) return 0.0;
  const auto band =
      static_cast<std::size_t>(std::upper_bound(ratioBands.begin(), ratioBands.end(), printed) -
                               ratioBands.begin()) -
      1;
  const std::size_t bands = ratioBands.size();
  const auto [r, tr] = *down;
  const std::size_t below = std::min(r + 1, speeds.size() - 1);
  return between(additional[r * bands + band], additional[below * bands + band], tr);
}

std::optional<double> BeltTables::arcFactor(double ratio) const {
  std::vector<double> ratios;
  ratios.reserve(arcOfContact.size());
  for (const ArcRow& row : arcOfContact) ratios.push_back(row.ratio);
  const auto cell = cellOf(ratios, ratio);
  if (!cell) return std::nullopt;
  const auto [i, t] = *cell;
  const double next = arcOfContact[std::min(i + 1, arcOfContact.size() - 1)].c1;
  return std::round(between(arcOfContact[i].c1, next, t) * 100) / 100;
}

std::optional<double> BeltTables::serviceFactor(std::string_view loadGroup,
                                                std::string_view startingTorque,
                                                std::string_view dailyHours) const {
  for (const ServiceFactorRow& row : serviceFactors) {
    if (row.loadGroup == loadGroup && row.startingTorque == startingTorque &&
        row.dailyHours == dailyHours)
      return row.c2;
  }
  return std::nullopt;
}

BeltTables parseBeltTables(const BeltTableTexts& texts) {
  BeltTables tables;
  const Csv profiles = csvOf("profiles.csv", texts.profiles, 4);
  if (profiles.rows.size() != BeltProfiles.size())
    throw BeltTableError("profiles.csv: not one row per section");
  for (std::size_t r = 0; r < profiles.rows.size(); ++r) {
    const auto profile = profileNamed(profiles.rows[r][0]);
    if (profile != BeltProfiles[r])
      profiles.fail(profiles.lines[r], "sections not SPZ, SPA, SPB, SPC in that order");
    SectionTables& section = tables.sections[r];
    section.profile = *profile;
    section.minDiameter = profiles.number(r, 1);
    section.k = profiles.number(r, 2);
    section.referenceLength = profiles.number(r, 3);

    const std::string name(nameOf(*profile));
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(c - 'A' + 'a');
    const std::string ratingsName = "ratings_" + lower + ".csv";
    section.rating = ratingOf(csvOf(ratingsName, texts.ratings[r]));
    const std::string lengthsName = "lengths_" + lower + ".csv";
    const Csv lengths = csvOf(lengthsName, texts.lengths[r], 2);
    std::vector<double> values;
    for (std::size_t i = 0; i < lengths.rows.size(); ++i) {
      section.lengths.push_back({lengths.number(i, 0), lengths.number(i, 1)});
      values.push_back(section.lengths.back().length);
    }
    requireAscending(lengths, values, "lengths");
  }

  const Csv arc = csvOf("arc_of_contact.csv", texts.arcOfContact, 3);
  std::vector<double> ratios;
  for (std::size_t r = 0; r < arc.rows.size(); ++r) {
    tables.arcOfContact.push_back({arc.number(r, 0), arc.number(r, 1), arc.number(r, 2)});
    ratios.push_back(tables.arcOfContact.back().ratio);
  }
  requireAscending(arc, ratios, "ratios");

  const Csv factors = csvOf("service_factors.csv", texts.serviceFactors, 5);
  for (std::size_t r = 0; r < factors.rows.size(); ++r) {
    const auto& f = factors.rows[r];
    tables.serviceFactors.push_back({std::string(f[0]), std::string(f[1]), std::string(f[2]),
                                     std::string(f[3]), factors.number(r, 4)});
  }
  return tables;
}

}  // namespace chart
