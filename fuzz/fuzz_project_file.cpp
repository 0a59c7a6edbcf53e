// libFuzzer target of the ZC3 reader: 'make fuzz' builds it with clang and runs it from the seeds.
#include <cstdint>
#include <cstdlib>

#include "reader_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!zemtral::fuzz::exerciseProjectFile(std::string_view(reinterpret_cast<const char*>(data), size))) {
        std::abort();
    }
    return 0;
}
