#pragma once

#include <charconv>
#include <concepts>
#include <optional>
#include <string_view>

// Whole numbers in base 10 as strtol reads them: blanks, then one optional
// sign, then digits. Header-only so that the level tool needs no app library.
enum class AfterDigits { Refused, Ignored };

// nullopt when there are no digits, the number does not fit T, or (unless
// Ignored) anything follows the digits.
template <std::integral T>
std::optional<T> ParseInteger(std::string_view text, AfterDigits after = AfterDigits::Refused) {
  std::size_t at = text.find_first_not_of(" \t\n\v\f\r");
  if (at == std::string_view::npos) return std::nullopt;
  // from_chars takes a minus but no plus; "+-1" is no number for strtol either.
  if (text[at] == '+') {
    ++at;
    if (text.substr(at).starts_with('-')) return std::nullopt;
  }
  const char* end = text.data() + text.size();
  T value{};
  const auto [stop, error] = std::from_chars(text.data() + at, end, value);
  if (error != std::errc() || (after == AfterDigits::Refused && stop != end)) return std::nullopt;
  return value;
}
