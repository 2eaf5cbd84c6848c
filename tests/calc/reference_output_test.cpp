// The core's results over half a million generated inputs against the digests kept in the
// repository: the same on every target and under both arithmetic types. Where the native type
// is missing this stands in for the native-versus-software differential test.
//
// SHIFTMETER_WRITE_REFERENCE_OUTPUTS=<directory> writes reference_digests.inc and
// reference_sample.txt there instead (scripts/update-reference-outputs.sh).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "reference_outputs.h"

namespace calc::testing {
namespace {

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  ASSERT_TRUE(file.good()) << "cannot write " << path;
}

TEST(ReferenceOutputs, MatchTheStoredDigests) {
  if (const char* directory = std::getenv("SHIFTMETER_WRITE_REFERENCE_OUTPUTS")) {
    std::ostringstream sample;
    const std::vector<SectionDigest> digests = ComputeReferenceOutputs(1, &sample);
    WriteFile(std::string(directory) + "/reference_digests.inc", ReferenceDigestsSource(digests));
    WriteFile(std::string(directory) + "/reference_sample.txt", sample.str());
    GTEST_SKIP() << "wrote the reference outputs to " << directory;
  }
  const std::vector<SectionDigest> digests = ComputeReferenceOutputs(1, nullptr);
  std::uint64_t inputs = 0;
  for (const SectionDigest& section : digests) {
    inputs += section.inputs;
  }
  EXPECT_GE(inputs, 500'000U);
  // Section by section, so that a failure names the entry point and the settings that moved.
  ASSERT_EQ(digests.size(), StoredReferenceDigests().size());
  for (std::size_t i = 0; i < digests.size(); ++i) {
    EXPECT_EQ(digests[i], StoredReferenceDigests()[i]) << digests[i].name;
  }
}

}  // namespace
}  // namespace calc::testing
