#include "cli/duty_options.h"

#include <algorithm>

#include "chart/number_field.h"

namespace cli {
namespace {

// Each belt option by its duty entry's name, and what its value is.
struct BeltOption {
  std::string_view entry;
  std::string_view type;
  std::string_view help;
};
constexpr std::array<BeltOption, BeltOptions::kCount> kBeltOptions{{
    {"service-factor", "F", "service factor c2"},
    {"profiles", "LIST", "wedge belt sections, comma-separated"},
    {"max-belt-speed", "M/S", "highest belt speed in m/s"},
    {"max-belts", "N", "most belts of a drive"},
    {"centre", "MM", "wished centre distance in mm, 0 for the sum of the two pulleys"},
}};

std::string_view defaultOf(std::string_view entry) {
  static const DutyTexts defaults = chart::defaultEntryTexts();
  return defaults[entryIndex(entry)];
}

CLI::Validator sections() {
  return CLI::Validator(
      [](const std::string& list) -> std::string {
        const auto items = itemsOf(list);
        if (items.empty()) return "no belt section in the list";
        for (const std::string_view item : items) {
          if (!chart::profileNamed(item)) {
            return '"' + std::string(item) + "\" is no belt section (" +
                   std::string(defaultOf("profiles")) + ")";
          }
        }
        return {};
      },
      "");
}

}  // namespace

std::vector<std::string_view> itemsOf(std::string_view list) {
  std::vector<std::string_view> items;
  while (true) {
    const std::size_t comma = list.find(',');
    std::string_view item = list.substr(0, comma);
    const std::size_t first = item.find_first_not_of(" \t");
    if (first != std::string_view::npos)
      items.push_back(item.substr(first, item.find_last_not_of(" \t") + 1 - first));
    if (comma == std::string_view::npos) return items;
    list.remove_prefix(comma + 1);
  }
}

std::size_t entryIndex(std::string_view name) {
  const auto& entries = chart::DutyEntries;
  return static_cast<std::size_t>(std::ranges::find(entries, name, &chart::DutyEntry::name) -
                                  entries.begin());
}

CLI::Validator notEmpty() {
  return CLI::Validator(
      [](const std::string& text) { return text.empty() ? "an empty value" : std::string(); }, "");
}

CLI::Validator oneNumber() {
  return CLI::Validator(
      [](const std::string& text) {
        return chart::isNumberField(text) ? std::string() : '"' + text + "\" is no number";
      },
      "");
}

BeltOptions::BeltOptions(CLI::App& command) {
  for (std::size_t i = 0; i < kBeltOptions.size(); ++i) {
    const BeltOption& o = kBeltOptions[i];
    CLI::Option* option = command.add_option(
        "--" + std::string(o.entry), values_[i],
        std::string(o.help) + " (default " + std::string(defaultOf(o.entry)) + ")");
    option->type_name(std::string(o.type))->check(notEmpty());
    option->check(o.entry == "profiles" ? sections() : oneNumber());
    options_[i] = option;
  }
}

std::string asArgument(std::string_view value) {
  std::string text(value);
  // A list as the panel shows it, "1450, 2950", is one argument without its blanks.
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
  return text;
}

std::string BeltOptions::usage() {
  std::string words;
  for (const BeltOption& o : kBeltOptions)
    words += " [--" + std::string(o.entry) + ' ' + asArgument(defaultOf(o.entry)) + ']';
  return words;
}

void BeltOptions::applyTo(DutyTexts& texts) const {
  for (std::size_t i = 0; i < kBeltOptions.size(); ++i) {
    if (options_[i]->count() > 0) texts[entryIndex(kBeltOptions[i].entry)] = values_[i];
  }
}

}  // namespace cli
