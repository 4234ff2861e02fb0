// Fuzz target: arbitrary bytes as a filter expression, prepared and evaluated against
// a few time entries. It must never crash, hang or leak.
#include <cstddef>
#include <cstdint>

#include "support/FilterHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t * data, std::size_t size) {
  testsupport::RunFilterHarness(data, size);
  return 0;
}
