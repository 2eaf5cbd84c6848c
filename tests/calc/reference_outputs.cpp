#include "reference_outputs.h"

#include <array>
#include <bit>
#include <cstdio>
#include <functional>
#include <string_view>

#include "calc/cell_grid.h"
#include "calc/errors.h"
#include "calc/grid_shape.h"
#include "calc/number_text.h"
#include "calc/recalc.h"
#include "calc/regional.h"
#include "calc/time_text.h"
#include "detail/arithmetic.h"

namespace calc::testing {
namespace {

constexpr std::uint64_t kSampleEvery = 1000;
constexpr std::uint64_t kTop = std::uint64_t{1} << 63;

// splitmix64: a fixed integer mixing, so the sequence is the same everywhere. Every draw is a
// statement or a sequenced sub-expression of its own; no two draws share an expression whose
// evaluation order C++ leaves open.
class Generator {
 public:
  explicit Generator(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15U);
    z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9U;
    z = (z ^ (z >> 27U)) * 0x94D049BB133111EBU;
    return z ^ (z >> 31U);
  }
  std::uint64_t Below(std::uint64_t bound) { return Next() % bound; }
  int BelowInt(int bound) { return static_cast<int>(Below(static_cast<std::uint64_t>(bound))); }
  bool OneIn(std::uint64_t n) { return Below(n) == 0; }
  template <class T, std::size_t N>
  const T& Pick(const std::array<T, N>& items) {
    return items[static_cast<std::size_t>(Below(N))];
  }

  std::string Digits(int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) {
      digits += static_cast<char>('0' + Below(10));
    }
    return digits;
  }
  std::string Junk(std::string_view alphabet, int maxLength) {
    std::string junk;
    for (int length = 1 + BelowInt(maxLength); length > 0; --length) {
      junk += alphabet[static_cast<std::size_t>(Below(alphabet.size()))];
    }
    return junk;
  }

 private:
  std::uint64_t state_;
};

// The regional settings the sections run under: the defaults, comma decimals, a "." time
// separator with a no-break-space grouping and no designators, and multi-byte separators and
// designators throughout.
struct NamedSettings {
  const char* name;
  RegionalSettings settings;
};

std::vector<NamedSettings> SettingsUnderTest() {
  return {
      {"default", RegionalSettings{}},
      {"comma-decimal", RegionalSettings{",", ".", ":", "vorm.", "nachm."}},
      {"dot-time", RegionalSettings{",", "\u00A0", ".", "", ""}},
      {"multibyte", RegionalSettings{"\u066B", "\u066C", "\u2236", "\u0635", "\u0645"}},
      {"narrow-space", RegionalSettings{",", "\u202F", ":", "a.m.", "p.m."}},
  };
}

std::string Hex(std::uint64_t value, int width) {
  std::string text(static_cast<std::size_t>(width), '0');
  for (int i = width - 1; i >= 0 && value != 0; --i, value >>= 4U) {
    text[static_cast<std::size_t>(i)] = "0123456789abcdef"[value & 0xFU];
  }
  return text;
}
std::string Describe(X87Bits bits) {
  return Hex(bits.signExponent, 4) + ':' + Hex(bits.significand, 16);
}
// Payloads are no promise of the core (the two arithmetic types differ there); NaN-ness is.
std::string Describe(double value) {
  return value != value ? "nan" : Hex(std::bit_cast<std::uint64_t>(value), 16);
}

// Bytes outside printable ASCII as \xNN, so that the sample stays a readable text file.
std::string Escape(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20U && byte < 0x7FU && byte != '\\') {
      escaped += c;
    } else {
      escaped += "\\x" + Hex(byte, 2);
    }
  }
  return escaped;
}

std::string Outcome(const std::function<std::string()>& compute) {
  try {
    return compute();
  } catch (const EConvertError& error) {
    return std::string("EConvertError ") + error.what();
  } catch (const EOverflow& error) {
    return std::string("EOverflow ") + error.what();
  } catch (const Exception& error) {
    return std::string("Exception ") + error.what();
  }
}

// FNV-1a over every result line of a section, and every 1000th line for the sample.
class Section {
 public:
  Section(std::string name, std::ostream* sample) : name_(std::move(name)), sample_(sample) {
    if (sample_ != nullptr) {
      *sample_ << "== " << name_ << '\n';
    }
  }

  void Record(const std::string& line) {
    for (const char c : line) {
      digest_ = (digest_ ^ static_cast<unsigned char>(c)) * 0x100000001B3U;
    }
    digest_ = (digest_ ^ '\n') * 0x100000001B3U;
    if (sample_ != nullptr && inputs_ % kSampleEvery == 0) {
      *sample_ << Escape(line) << '\n';
    }
    ++inputs_;
  }

  SectionDigest Result() const { return {name_, digest_, inputs_}; }

 private:
  std::string name_;
  std::ostream* sample_;
  std::uint64_t digest_ = 0xCBF29CE484222325U;
  std::uint64_t inputs_ = 0;
};

std::string WholeNumberText(Generator& random) {
  static constexpr std::array<const char*, 8> kPrefixes = {"", "", "", "-", "$", "x", "0X", "+"};
  static constexpr std::array<const char*, 6> kBoundaries = {
      "2147483647", "2147483648", "-2147483648", "-2147483649", "7FFFFFFF", "80000000"};
  if (random.OneIn(10)) {
    return random.Junk(" +-$xX0123456789abcdefABCDEFg.", 12);
  }
  std::string text =
      random.OneIn(6) ? std::string(static_cast<std::size_t>(1 + random.BelowInt(3)), ' ') : "";
  text += random.Pick(kPrefixes);
  if (random.OneIn(5)) {
    text += random.Pick(kBoundaries);
  } else if (!text.empty() && (text.back() == '$' || text.back() == 'x' || text.back() == 'X')) {
    text += random.Junk("0123456789abcdefABCDEF", 10);
  } else {
    text += random.Digits(1 + random.BelowInt(11));
  }
  if (random.OneIn(20)) {
    text += ' ';
  }
  return text;
}

// Decimal texts around every limit of the scaling, the double and the 80-bit range, with the
// setting's decimal separator, sometimes the other one, and a share of malformed texts.
std::string RealText(Generator& random, const RegionalSettings& settings) {
  static constexpr std::array<int, 10> kCentres = {0,   18,   28,   308,  320,
                                                   500, 4914, 4932, 4951, 4999};
  if (random.OneIn(10)) {
    return random.Junk(" +-.,eE0123456789x", 8);
  }
  std::string text = random.OneIn(8) ? " " : "";
  text += random.OneIn(4) ? "-" : (random.OneIn(8) ? "+" : "");
  text += random.Digits(random.OneIn(5) ? random.BelowInt(60) : random.BelowInt(22));
  if (!random.OneIn(3)) {
    text += random.OneIn(20) ? "." : settings.decimalSeparator;
    text += random.Digits(random.OneIn(5) ? random.BelowInt(60) : random.BelowInt(22));
  }
  if (random.OneIn(2)) {
    const int centre = random.Pick(kCentres);
    const int exponent = centre + random.BelowInt(41) - 20;
    text += random.OneIn(2) ? 'e' : 'E';
    text += exponent < 0 ? "-" : (random.OneIn(3) ? "+" : "");
    text += std::to_string(exponent < 0 ? -exponent : exponent);
  }
  if (random.OneIn(8)) {
    text += ' ';
  }
  return text;
}

X87Bits Nudge(Generator& random, X87Bits bits) {
  bits.significand += random.Below(9) - 4;
  bits.significand |= kTop;
  return bits;
}

// The texts hold digits and an exponent only, which every setting reads alike.
X87Bits ParsedBits(const std::string& text) {
  return ToX87Bits(ParseReal(text, RegionalSettings{}));
}

// 80-bit patterns: uniform, next to powers of ten, near the two-decimal ties, around 10^18 and
// the 18-digit cut, subnormal, huge, the double range's limits, widened doubles, and encodings
// the x87 reads specially.
X87Bits Pattern(Generator& random) {
  const auto sign = static_cast<std::uint16_t>(random.OneIn(2) ? 0x8000U : 0U);
  switch (random.Below(10)) {
    case 0:
      return X87Bits{static_cast<std::uint16_t>(sign | random.Below(0x7FFF)), random.Next() | kTop};
    case 1:
      return Nudge(random, ParsedBits("1e" + std::to_string(random.BelowInt(60) - 20)));
    case 2: {
      const std::string whole = std::to_string(random.Below(2'000'000));
      return Nudge(random, ParsedBits(whole + random.Digits(2) + "5e-3"));
    }
    case 3: {
      const std::string digits = random.Digits(17 + random.BelowInt(3));
      return Nudge(random, ParsedBits("1" + digits + "e" + std::to_string(random.BelowInt(5) - 4)));
    }
    case 4: {
      const std::uint64_t significand = random.Next();
      return X87Bits{sign, significand >> random.Below(64)};
    }
    case 5:
      return X87Bits{static_cast<std::uint16_t>(sign | (0x7FFE - random.Below(4))),
                     random.Next() | kTop};
    case 6: {
      static constexpr std::array<int, 9> kExponents = {-1074, -1075, -1076, -1022, -1023,
                                                        0,     1023,  1024,  1025};
      const int limit = random.Pick(kExponents);
      const int exponent = limit + random.BelowInt(5) - 2;
      std::uint64_t significand = random.Next() | kTop;
      if (random.OneIn(2)) {
        significand = (significand & ~std::uint64_t{0x7FF}) | 0x400U;
        significand += random.Below(3) - 1;
      }
      return X87Bits{static_cast<std::uint16_t>(sign | (exponent + 16383)), significand | kTop};
    }
    case 7:
      return ToX87Bits(Extended(std::bit_cast<double>(random.Next())));
    case 8: {
      static constexpr std::array<std::uint16_t, 4> kSpecialExponents = {0x7FFF, 0x0000, 0x0001,
                                                                         0x4000};
      const auto exponent = static_cast<std::uint16_t>(sign | random.Pick(kSpecialExponents));
      const std::uint64_t significand = random.Next();
      return X87Bits{exponent, significand >> random.Below(2)};
    }
    default:
      return Nudge(random, ParsedBits("1e18"));
  }
}

// The patterns narrowed by the core; those beyond the double range give way to any double.
double DoubleValue(Generator& random) {
  const Extended value = FromX87Bits(Pattern(random));
  try {
    return NarrowToDouble(value);
  } catch (const EOverflow&) {
    return std::bit_cast<double>(random.Next());
  }
}

// Days and times of day: whole milliseconds, the edges of the day, fractions of any size. The
// test itself computes nothing inexact in floating point, since the floating-point environment
// test runs it under other rounding modes: the core forms the values, or they are exact.
double TimeValue(Generator& random, const RegionalSettings& settings) {
  switch (random.Below(6)) {
    case 0: {
      std::string text = std::to_string(random.Below(24));
      text += settings.timeSeparator + std::to_string(random.Below(60));
      text += settings.timeSeparator + std::to_string(random.Below(60));
      text += settings.decimalSeparator + std::to_string(random.Below(1000));
      return ParseTime(text, settings);
    }
    case 1:
      return std::bit_cast<double>(random.Next());
    case 2:
      return static_cast<double>(random.Below(1U << 20U)) / 1048576.0 - 2.0;
    case 3: {
      static constexpr std::array<double, 6> kEdges = {0.0, 0.5, 1.0, -0.0, 1.0 / 3.0, 2.0 / 3.0};
      const double edge = random.Pick(kEdges);
      return std::bit_cast<double>(std::bit_cast<std::uint64_t>(edge) + random.Below(5) - 2);
    }
    case 4:
      return static_cast<double>(random.Below(1'000'000)) + 0.75;
    default:
      return std::bit_cast<double>(random.Next() >> 2U);
  }
}

// What a planner might type as a time: hours, minutes, seconds and milliseconds with the
// setting's separators or the default ones, designators in either place and any case, the
// "a"/"p" shorthand, blanks, and junk.
std::string TimeText(Generator& random, const RegionalSettings& settings) {
  if (random.OneIn(12)) {
    return random.Junk(" :.0123456789apmAPM", 10);
  }
  const std::array<std::string, 6> designators = {
      settings.amDesignator, settings.pmDesignator, "a", "p", "AM", "pm"};
  const std::string separator = random.OneIn(10) ? ":" : settings.timeSeparator;
  const bool designatorFirst = random.OneIn(6);
  std::string text = random.OneIn(8) ? " " : "";
  if (designatorFirst) {
    text += random.Pick(designators);
    text += random.OneIn(2) ? " " : "";
  }
  text += std::to_string(random.Below(random.OneIn(10) ? 100 : 25));
  for (int part = 0; part < 2 && !random.OneIn(3); ++part) {
    text += separator;
    text += random.OneIn(5) ? std::to_string(random.Below(10))
                            : random.Digits(random.OneIn(20) ? 3 : 2);
  }
  if (random.OneIn(6)) {
    text += random.OneIn(4) ? "." : settings.decimalSeparator;
    text += random.Digits(1 + random.BelowInt(4));
  }
  if (!designatorFirst && random.OneIn(2)) {
    text += random.OneIn(2) ? " " : "";
    text += random.Pick(designators);
  }
  return text;
}

// Half the grids hold only entries a planner would type, so that their totals and verdicts
// are reached; the rest mix in every kind of text.
std::string CountCell(Generator& random, bool clean) {
  if (!clean && random.OneIn(5)) {
    return random.OneIn(2) ? "" : WholeNumberText(random);
  }
  return std::to_string(random.Below(60));
}

std::string HoursCell(Generator& random, const RegionalSettings& settings, bool clean) {
  if (!clean && random.OneIn(3)) {
    return RealText(random, settings);
  }
  std::string text = std::to_string(random.Below(80));
  if (random.OneIn(2)) {
    text += settings.decimalSeparator + random.Digits(1 + random.BelowInt(3));
  }
  return text;
}

std::string TimeCell(Generator& random, const RegionalSettings& settings, bool clean) {
  if (!clean) {
    return random.OneIn(10) ? "" : TimeText(random, settings);
  }
  std::string text = std::to_string(random.Below(24));
  if (random.OneIn(2)) {
    text += settings.timeSeparator + random.Digits(2);
  }
  return text;
}

std::string GridText(const CellGrid& grid) {
  std::string text;
  for (int row = 1; row < grid.RowCount(); ++row) {
    for (int col = 0; col < grid.ColCount(); ++col) {
      text += grid.Cell(col, row);
      text += '|';
    }
  }
  return text;
}

// A needed and a staff grid of a few rows, some left blank, recalculated twice: the second run
// reads what the first one wrote.
std::string RecalcRecord(Generator& random, const RegionalSettings& settings) {
  const bool clean = random.OneIn(2);
  MemoryCellGrid needed(needed_grid::kColCount, 2 + random.BelowInt(6));
  MemoryCellGrid staff(staff_grid::kColCount, 2 + random.BelowInt(5));
  for (int row = 1; row < needed.RowCount(); ++row) {
    if (random.OneIn(6)) {
      continue;
    }
    needed.SetCell(needed_grid::kDescription, row, "Shift");
    needed.SetCell(needed_grid::kShifts, row, CountCell(random, clean));
    needed.SetCell(needed_grid::kEmployees, row, CountCell(random, clean));
    needed.SetCell(needed_grid::kStart, row, TimeCell(random, settings, clean));
    needed.SetCell(needed_grid::kEnd, row, TimeCell(random, settings, clean));
  }
  for (int row = 1; row < staff.RowCount(); ++row) {
    if (random.OneIn(6)) {
      continue;
    }
    staff.SetCell(staff_grid::kEmployees, row, CountCell(random, clean));
    staff.SetCell(staff_grid::kHours, row, HoursCell(random, settings, clean));
  }
  const std::string typed = GridText(needed) + GridText(staff);
  std::string line = typed + " ->";
  for (int run = 0; run < 2; ++run) {
    const ReCalcResult result = ReCalc(needed, staff, settings);
    line += ' ' + std::to_string(result.ok) + ' ' + result.hrsNeeded + '/' + result.hrsAvail + '/' +
            result.message + '/' + std::to_string(result.messageColour.r);
  }
  return line + ' ' + GridText(needed) + GridText(staff);
}

using SectionBody = std::function<std::string(Generator&, const RegionalSettings&)>;

struct SectionKind {
  const char* name;
  std::uint64_t inputs;
  SectionBody body;
};

std::vector<SectionKind> SectionKinds() {
  return {
      {"ParseWholeNumber", 12'000,
       [](Generator& random, const RegionalSettings&) {
         const std::string text = WholeNumberText(random);
         return text + " -> " + Outcome([&] { return std::to_string(ParseWholeNumber(text)); });
       }},
      {"ParseReal+NarrowToDouble", 30'000,
       [](Generator& random, const RegionalSettings& settings) {
         const std::string text = RealText(random, settings);
         return text + " -> " + Outcome([&] {
                  const Extended value = ParseReal(text, settings);
                  return Describe(ToX87Bits(value)) + ' ' + Describe(NarrowToDouble(value));
                });
       }},
      {"FormatHours(double)", 12'000,
       [](Generator& random, const RegionalSettings& settings) {
         const double value = DoubleValue(random);
         return Describe(value) + " -> " + FormatHours(value, settings) + ' ' +
                FormatHoursUngrouped(value, settings);
       }},
      {"FormatHours+NarrowToDouble(80-bit)", 30'000,
       [](Generator& random, const RegionalSettings& settings) {
         const X87Bits bits = Pattern(random);
         const Extended value = FromX87Bits(bits);
         return Describe(bits) + " -> " + FormatHours(value, settings) + ' ' +
                FormatHoursUngrouped(value, settings) + ' ' +
                Outcome([&] { return Describe(NarrowToDouble(value)); });
       }},
      {"FixTime+ParseTime+FormatTime", 14'000,
       [](Generator& random, const RegionalSettings& settings) {
         const std::string text = TimeText(random, settings);
         const std::string fixed = FixTime(text);
         return text + " -> " + fixed + " -> " + Outcome([&] {
                  const double time = ParseTime(fixed, settings);
                  return Describe(time) + ' ' + FormatTime(time, settings);
                });
       }},
      {"FormatTime", 8'000,
       [](Generator& random, const RegionalSettings& settings) {
         const double time = TimeValue(random, settings);
         return Describe(time) + " -> " + FormatTime(time, settings);
       }},
      {"ReCalc", 1'000, RecalcRecord},
  };
}

}  // namespace

std::vector<SectionDigest> ComputeReferenceOutputs(std::uint64_t divisor, std::ostream* sample) {
  std::vector<SectionDigest> digests;
  std::uint64_t seed = 1;
  for (const NamedSettings& named : SettingsUnderTest()) {
    for (const SectionKind& kind : SectionKinds()) {
      Generator random(seed++);
      Section section(std::string(kind.name) + " / " + named.name, sample);
      for (std::uint64_t i = 0; i < kind.inputs / divisor; ++i) {
        section.Record(kind.body(random, named.settings));
      }
      digests.push_back(section.Result());
    }
  }
  return digests;
}

const std::vector<SectionDigest>& StoredReferenceDigests() {
  static const std::vector<SectionDigest> stored = {
#include "reference_digests.inc"
  };
  return stored;
}

std::string ReferenceDigestsSource(const std::vector<SectionDigest>& digests) {
  std::string text =
      "// Written by scripts/update-reference-outputs.sh; the sample beside it shows what moved.\n";
  for (const SectionDigest& section : digests) {
    text += "{\"" + section.name + "\", 0x" + Hex(section.digest, 16) + "U, " +
            std::to_string(section.inputs) + "},\n";
  }
  return text;
}

}  // namespace calc::testing
