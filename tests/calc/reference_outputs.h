#pragma once

// The core's results over a fixed set of generated inputs, reduced to one digest per entry point
// and regional setting. The inputs come from the generator's own integer mixing, so every
// compiler and standard library sees the same ones; the digests kept in
// reference_digests.inc must then come out alike on every target and arithmetic type.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace calc::testing {

struct SectionDigest {
  std::string name;
  std::uint64_t digest = 0;
  std::uint64_t inputs = 0;

  friend bool operator==(const SectionDigest&, const SectionDigest&) = default;
};

// Runs every section through the build's Extended type; each section's inputs are divided by
// `divisor` (1 for the stored digests). When `sample` is given, every 1000th result of each
// section is written to it as one readable line.
std::vector<SectionDigest> ComputeReferenceOutputs(std::uint64_t divisor, std::ostream* sample);

// The digests as kept in the repository.
const std::vector<SectionDigest>& StoredReferenceDigests();

// The text of reference_digests.inc for the given digests.
std::string ReferenceDigestsSource(const std::vector<SectionDigest>& digests);

}  // namespace calc::testing
