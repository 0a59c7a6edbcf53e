# Resource files of the data part: where the program finds its sample data, their installation,
# and the libFuzzer targets of the file readers.
include(GNUInstallDirs)

set(ZEMTRAL_RESOURCE_INSTALL_DIR ${CMAKE_INSTALL_FULL_DATADIR}/zemtral)
target_compile_definitions(zemtral_core PRIVATE
  ZEMTRAL_INSTALLED_RESOURCE_DIR="${ZEMTRAL_RESOURCE_INSTALL_DIR}"
  ZEMTRAL_SOURCE_RESOURCE_DIR="${CMAKE_SOURCE_DIR}/resources")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/samples DESTINATION ${CMAKE_INSTALL_DATADIR}/zemtral
        FILES_MATCHING PATTERN "*.ZD3" PATTERN "*.md")

# libFuzzer needs clang; the default compiler is g++, so the fuzz targets are opt-in.
option(ZEMTRAL_BUILD_FUZZ "Build the libFuzzer targets of the file readers (needs clang)" OFF)
if(ZEMTRAL_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(WARNING "ZEMTRAL_BUILD_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++); fuzz targets skipped")
  else()
    file(GLOB ZEMTRAL_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/fuzz_*.cpp)
    foreach(source IN LISTS ZEMTRAL_FUZZ_SOURCES)
      get_filename_component(name ${source} NAME_WE)
      add_executable(${name} ${source})
      target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
      target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
      target_link_libraries(${name} PRIVATE zemtral_core)
    endforeach()
  endif()
endif()
