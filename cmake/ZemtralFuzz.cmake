# Instrumented builds, each in a build folder of its own:
#  * ZEMTRAL_BUILD_FUZZ (clang only): every library compiled with coverage feedback for libFuzzer
#    and AddressSanitizer + UndefinedBehaviorSanitizer, plus one libFuzzer program per file reader
#    (fuzz/fuzz_*.cpp). `make fuzz` configures, builds and runs them.
#  * ZEMTRAL_SANITIZE (g++ or clang): everything compiled with AddressSanitizer and
#    UndefinedBehaviorSanitizer, for running the test suite under them (`make asan`).
# Both make every finding fatal (-fno-sanitize-recover=all), so a run with one fails.
# Included before the first target so that the options reach every library and program.
option(ZEMTRAL_BUILD_FUZZ "Build the libFuzzer targets of the file readers, all code instrumented (needs clang)" OFF)
option(ZEMTRAL_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

set(ZEMTRAL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)

if(ZEMTRAL_BUILD_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(WARNING "ZEMTRAL_BUILD_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++); fuzz targets skipped")
  set(ZEMTRAL_BUILD_FUZZ OFF)
endif()

if(ZEMTRAL_BUILD_FUZZ)
  # fuzzer-no-link: the coverage counters libFuzzer steers by, without a second main().
  add_compile_options(-fsanitize=fuzzer-no-link ${ZEMTRAL_SANITIZER_FLAGS} -O1)
  add_link_options(-fsanitize=address,undefined)
  file(GLOB ZEMTRAL_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/fuzz_*.cpp)
  foreach(source IN LISTS ZEMTRAL_FUZZ_SOURCES)
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    # zemtral_core is defined further down; the name is resolved when the build is generated.
    target_link_libraries(${name} PRIVATE zemtral_core)
  endforeach()
elseif(ZEMTRAL_SANITIZE)
  add_compile_options(${ZEMTRAL_SANITIZER_FLAGS} -O1)
  add_link_options(-fsanitize=address,undefined)
  # With the sanitizers' checks inlined, GCC reports variables inside the standard library (regex,
  # function) as maybe uninitialized where they are not; the sanitizers check the real uses.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
endif()
