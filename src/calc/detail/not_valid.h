#pragma once

// The one failure of every text conversion: "'<text>' is not a valid <kind>", quoting the text
// as given.

#include <string>
#include <string_view>

#include "calc/errors.h"

namespace calc {

[[noreturn]] inline void FailNotValid(std::string_view text, std::string_view kind) {
  throw EConvertError("'" + std::string(text) + "' is not a valid " + std::string(kind));
}

}  // namespace calc
