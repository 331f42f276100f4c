#pragma once

#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace chart {

// A set of reasons of one kind. Each kind is a scoped enum of single bits, so that reasons of
// two kinds never mix: a warning cannot be tested against a refusal's set.
template <typename Flag>
requires std::is_enum_v<Flag>
class Flags {
 public:
  using Bits = std::underlying_type_t<Flag>;

  constexpr Flags() = default;
  constexpr Flags(Flag flag) : bits_(static_cast<Bits>(flag)) {}  // NOLINT: a flag is a set

  // A set carried as plain bits, as a table of test data or a page hands it over.
  static constexpr Flags ofBits(Bits bits) { return Flags(bits, 0); }

  constexpr bool has(Flag flag) const { return (bits_ & static_cast<Bits>(flag)) != 0; }
  constexpr bool any() const { return bits_ != 0; }
  constexpr bool none() const { return bits_ == 0; }
  constexpr Bits bits() const { return bits_; }

  constexpr Flags& operator|=(Flags other) {
    bits_ |= other.bits_;
    return *this;
  }
  friend constexpr Flags operator|(Flags a, Flags b) { return a |= b; }
  friend constexpr Flags operator&(Flags a, Flags b) { return Flags(a.bits_ & b.bits_, 0); }
  constexpr bool operator==(const Flags&) const = default;

 private:
  constexpr Flags(Bits bits, int) : bits_(bits) {}
  Bits bits_ = 0;
};

// Two reasons of one kind make a set: for the enums that declare themselves a kind of reason
// with `constexpr bool isFlagKind(Flag) { return true; }` beside them.
template <typename Flag>
requires std::is_enum_v<Flag> &&(isFlagKind(Flag{})) constexpr Flags<Flag> operator|(Flag a,
                                                                                     Flag b) {
  return Flags<Flag>(a) | b;
}

// One row of a table of reasons: a flag and the words that say it.
template <typename Flag>
struct FlagWords {
  Flag flag;
  std::string_view words;
};

// The words of every flag raised, in the table's order.
template <typename Flag>
std::vector<std::string_view> wordsOf(
    Flags<Flag> raised, std::type_identity_t<std::span<const FlagWords<Flag>>> table) {
  std::vector<std::string_view> words;
  for (const FlagWords<Flag>& row : table) {
    if (raised.has(row.flag)) words.push_back(row.words);
  }
  return words;
}

// The words of a list joined by "; "; empty for none.
std::string joined(std::span<const std::string_view> words);
std::string joined(std::span<const std::string> words);

// The words of every flag raised, joined by "; "; empty when none is raised.
template <typename Flag>
std::string joinedWords(Flags<Flag> raised,
                        std::type_identity_t<std::span<const FlagWords<Flag>>> table) {
  return joined(wordsOf(raised, table));
}

}  // namespace chart
