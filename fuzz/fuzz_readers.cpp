// libFuzzer target of the three file readers (build with -DZEMTRAL_BUILD_FUZZ=ON and clang).
#include <cstdint>
#include <cstdlib>

#include "reader_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!zemtral::fuzz::exerciseReaders(std::string_view(reinterpret_cast<const char*>(data), size))) {
        std::abort();
    }
    return 0;
}
