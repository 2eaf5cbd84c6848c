#include "calc/internal/number_separators.h"

namespace calc {
namespace {

bool HoldsCharacter(std::string_view separator) {
  return !separator.empty() && separator.find('\0') == std::string_view::npos;
}

}  // namespace

std::string_view NumberDecimalSeparator(const RegionalSettings& settings) {
  return HoldsCharacter(settings.decimalSeparator) ? std::string_view(settings.decimalSeparator)
                                                   : std::string_view(".");
}

std::string_view NumberThousandsSeparator(const RegionalSettings& settings) {
  return HoldsCharacter(settings.thousandsSeparator) ? std::string_view(settings.thousandsSeparator)
                                                     : std::string_view();
}

}  // namespace calc
