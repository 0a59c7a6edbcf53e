# The layers of the Qt-free core: one static library per folder of src, linked in the only direction
# a layer may look:
#
#   numeric <- core <- data <- {evaluation, reactors, montecarlo, diagrams} <- session <- {cli, ui}
#
# Each layer compiles against an include root of its own, build/layers/<folder>/, which holds nothing
# but a link to src/<folder>. A layer sees its own root and, through its PUBLIC links, the roots of the
# layers below it -- never src itself. So `#include "session/session.h"` in src/data fails to compile
# instead of quietly tying the layers into a knot. Sources are collected per folder, so a new unit
# needs no edit here.
find_package(nlohmann_json 3 REQUIRED)

set(ZEMTRAL_LAYER_ROOT ${CMAKE_BINARY_DIR}/layers)

# zemtral_layer_include_root(<folder> <variable>): makes build/layers/<folder>/<folder> a link to
# src/<folder> and sets <variable> to build/layers/<folder>, the include root of that folder alone.
function(zemtral_layer_include_root folder variable)
  set(root ${ZEMTRAL_LAYER_ROOT}/${folder})
  file(MAKE_DIRECTORY ${root})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  set(${variable} ${root} PARENT_SCOPE)
endfunction()

# zemtral_add_layer(<folder> <target> [BELOW <layer targets>...]): the library of src/<folder>,
# linked PUBLIC to the layers it builds on.
function(zemtral_add_layer folder target)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "BELOW")
  zemtral_layer_include_root(${folder} root)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${arg_BELOW} PRIVATE nlohmann_json::nlohmann_json)
  set_property(GLOBAL APPEND PROPERTY ZEMTRAL_LAYERS ${folder})
  set_property(GLOBAL PROPERTY ZEMTRAL_LAYER_TARGET_${folder} ${target})
endfunction()

zemtral_add_layer(numeric zemtral_numeric)
zemtral_add_layer(core zemtral_core_models BELOW zemtral_numeric)
zemtral_add_layer(data zemtral_data BELOW zemtral_core_models)
zemtral_add_layer(evaluation zemtral_evaluation BELOW zemtral_data)
zemtral_add_layer(reactors zemtral_reactors BELOW zemtral_data)
zemtral_add_layer(montecarlo zemtral_montecarlo BELOW zemtral_data)
zemtral_add_layer(diagrams zemtral_diagrams BELOW zemtral_data)
zemtral_add_layer(session zemtral_session
                  BELOW zemtral_evaluation zemtral_reactors zemtral_montecarlo zemtral_diagrams)

# The version reaches the session (the about text) and every program above it.
target_compile_definitions(zemtral_session PUBLIC ZEMTRAL_VERSION="${PROJECT_VERSION}")

# zemtral_core: the whole Qt-free core, what the programs, tests, benchmarks and fuzz targets link.
add_library(zemtral_core INTERFACE)
target_link_libraries(zemtral_core INTERFACE zemtral_numeric zemtral_core_models zemtral_data
                      zemtral_evaluation zemtral_reactors zemtral_montecarlo zemtral_diagrams
                      zemtral_session)
