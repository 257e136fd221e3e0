// libFuzzer target: arbitrary bytes as a survey file with collections and
// weather blocks, through the blocks' reader and writer.

#include "report_invariants.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return zav::fuzz::stopOnProblem(zav::fuzz::checkCollectionBlocks({reinterpret_cast<const char*>(data), size}));
}
