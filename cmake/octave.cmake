# octave.cmake - the deliverables as Octave MEX files, build/octave/<name>.mex, compiled with the
# flags mkoctfile reports and exporting mexFunction alone.

find_program(MKOCTFILE mkoctfile REQUIRED)
execute_process(COMMAND ${MKOCTFILE} -p INCFLAGS OUTPUT_VARIABLE OCTAVE_INCFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${MKOCTFILE} -p OCTLIBDIR OUTPUT_VARIABLE OCTAVE_LIBDIR OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(OCTAVE_INCFLAGS UNIX_COMMAND "${OCTAVE_INCFLAGS}")
set(OCTAVE_INCLUDE_DIRS "")
foreach(flag IN LISTS OCTAVE_INCFLAGS)
  string(REGEX REPLACE "^-I" "" dir "${flag}")
  list(APPEND OCTAVE_INCLUDE_DIRS "${dir}")
endforeach()

set(OCTAVE_OUTPUT_DIR "${PLUGIN_OUTPUT_ROOT}/octave${PLUGIN_FOLDER_SUFFIX}")

function(add_octave_plugin name)
  add_library(${name}_octave MODULE)
  if(name STREQUAL "graphplugin_engine")
    add_engine_sources(${name}_octave HOST_MEX)
  else()
    add_gateway_sources(${name}_octave ${name} HOST_MEX)
  endif()
  target_include_directories(${name}_octave SYSTEM PRIVATE ${OCTAVE_INCLUDE_DIRS})
  target_link_directories(${name}_octave PRIVATE "${OCTAVE_LIBDIR}")
  target_link_libraries(${name}_octave PRIVATE octinterp octave)
  target_link_options(${name}_octave PRIVATE
    -Wl,-Bsymbolic "-Wl,--version-script=${CMAKE_SOURCE_DIR}/cmake/exports.map")
  set_target_properties(${name}_octave PROPERTIES
    OUTPUT_NAME ${name} PREFIX "" SUFFIX ".mex"
    LIBRARY_OUTPUT_DIRECTORY "${OCTAVE_OUTPUT_DIR}"
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS "${CMAKE_SOURCE_DIR}/cmake/exports.map")
endfunction()
