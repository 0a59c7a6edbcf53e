# Probes the include roots of one layer library with the preprocessor alone (no build):
#   * every header of the layer's own folder preprocesses with the layer's include directories,
#   * one header of every folder the layer may use preprocesses as well,
#   * one header of every folder the layer must not use fails, naming the header it cannot find.
# Run as: cmake -DCOMPILER=<c++> -DLAYER=<folder> -DINCLUDES=<dir|dir|...> -DSOURCE_DIR=<repo>
#               -DWORK_DIR=<scratch dir> -P layer_probe.cmake
cmake_minimum_required(VERSION 3.22)
foreach(variable COMPILER LAYER INCLUDES SOURCE_DIR WORK_DIR)
  if(NOT DEFINED ${variable} OR "${${variable}}" STREQUAL "")
    message(FATAL_ERROR "layer_probe: ${variable} not given")
  endif()
endforeach()

# The intended layering: the folders a layer may include from, its own among them.
set(below_session numeric core data evaluation reactors montecarlo diagrams)
set(sees_numeric numeric)
set(sees_core numeric core)
set(sees_data numeric core data)
set(sees_evaluation numeric core data evaluation)
set(sees_reactors numeric core data reactors)
set(sees_montecarlo numeric core data montecarlo)
set(sees_diagrams numeric core data diagrams)
set(sees_session ${below_session} session)
set(sees_cli ${below_session} session cli)
set(sees_ui ${below_session} session ui)
set(folders ${below_session} session cli ui)
if(NOT DEFINED sees_${LAYER})
  message(FATAL_ERROR "layer_probe: unknown layer ${LAYER}")
endif()

string(REPLACE "|" ";" include_dirs "${INCLUDES}")
set(flags -std=c++20 -fPIC -E -o /dev/null)
foreach(dir IN LISTS include_dirs)
  list(APPEND flags -I${dir})
endforeach()
file(MAKE_DIRECTORY ${WORK_DIR})

# Headers of src/<folder> as they are included ("folder/sub/name.h"), sorted.
function(headers_of folder variable)
  file(GLOB_RECURSE headers RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/${folder}/*.h)
  list(SORT headers)
  set(${variable} ${headers} PARENT_SCOPE)
endfunction()

# preprocess(<name> <headers> <result var> <output var>)
function(preprocess name headers result_var output_var)
  set(text "")
  foreach(header IN LISTS headers)
    string(APPEND text "#include \"${header}\"\n")
  endforeach()
  set(file ${WORK_DIR}/${name}.cpp)
  file(WRITE ${file} "${text}")
  # The compiler's messages in English whatever the user's locale, so that they can be read below.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C LANGUAGE= ${COMPILER} ${flags} ${file}
                  RESULT_VARIABLE result
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${result_var} ${result} PARENT_SCOPE)
  set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

set(failures 0)

headers_of(${LAYER} own)
if(NOT own)
  message(SEND_ERROR "src/${LAYER} has no headers to probe")
  math(EXPR failures "${failures} + 1")
endif()
preprocess(own "${own}" result output)
if(NOT result EQUAL 0)
  message(SEND_ERROR "the headers of ${LAYER} do not preprocess with its own include roots:\n${output}")
  math(EXPR failures "${failures} + 1")
endif()

foreach(folder IN LISTS folders)
  if(folder STREQUAL LAYER)
    continue()
  endif()
  headers_of(${folder} headers)
  if(NOT headers)
    continue()
  endif()
  list(GET headers 0 header)
  preprocess(${folder} "${header}" result output)
  if(folder IN_LIST sees_${LAYER})
    if(NOT result EQUAL 0)
      message(SEND_ERROR "${LAYER} may include ${header}, yet it is not found:\n${output}")
      math(EXPR failures "${failures} + 1")
    endif()
  else()
    # The compiler's own words for a missing header (GCC, then Clang), not any failure.
    string(FIND "${output}" "${header}: No such file" missing_gcc)
    string(FIND "${output}" "'${header}' file not found" missing_clang)
    if(result EQUAL 0 OR (missing_gcc EQUAL -1 AND missing_clang EQUAL -1))
      message(SEND_ERROR "${LAYER} must not see ${folder}, yet #include \"${header}\" "
                         "gave ${result}:\n${output}")
      math(EXPR failures "${failures} + 1")
    endif()
  endif()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "layer ${LAYER}: ${failures} include probe(s) failed")
endif()
message(STATUS "layer ${LAYER}: sees exactly ${sees_${LAYER}}")
