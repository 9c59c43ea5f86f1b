# store_pair.cmake - one deliverable's default and indexed stores as two shared libraries that
# live side by side in one test program (tests/host/store_under_test.h).

# store_<name><tag>_default and store_<name><tag>_indexed. FLAGS go to every part (e.g. -m32),
# PLUGIN_FLAGS to the plug-in's own sources only (e.g. fuzzer coverage), not to the parts that
# read and check the store for the test; SUPPORT names the test support (test_support.cmake)
# made with the same FLAGS, "" by default. A program that links them exports the test host's
# functions to them (ENABLE_EXPORTS).
function(add_store_pair name tag)
  cmake_parse_arguments(PAIR "" "SUPPORT" "FLAGS;PLUGIN_FLAGS" ${ARGN})
  foreach(variant default indexed)
    if(variant STREQUAL "indexed")
      set(indexed 1)
      set(symbol indexed_store)
      set(checks graph_checks_indexed${PAIR_SUPPORT})
    else()
      set(indexed 0)
      set(symbol reference_store)
      set(checks graph_checks${PAIR_SUPPORT})
    endif()
    set(target store_${name}${tag}_${variant})
    store_sources(sources ${indexed})
    add_library(${target}_plugin OBJECT ${sources} ${GATEWAY_SOURCES} ${${name}_BULK_SOURCES})
    add_library(${target} SHARED $<TARGET_OBJECTS:${target}_plugin>
      "${CMAKE_SOURCE_DIR}/tests/host/store_under_test.cpp")
    target_link_libraries(${target} PRIVATE ${checks})
    foreach(part ${target}_plugin ${target})
      target_include_directories(${part} PRIVATE
        "${CMAKE_SOURCE_DIR}/graph" "${CMAKE_SOURCE_DIR}/bulk" "${CMAKE_SOURCE_DIR}/deliverables/${name}"
        "${CMAKE_SOURCE_DIR}/gateway" "${CMAKE_SOURCE_DIR}/tests/host")
      target_compile_definitions(${part} PRIVATE HOST_TEST GRAPH_INDEXED=${indexed} STORE_SYMBOL=${symbol})
      target_compile_options(${part} PRIVATE ${PROJECT_WARNINGS} ${PAIR_FLAGS})
      set_target_properties(${part} PROPERTIES POSITION_INDEPENDENT_CODE ON
        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
    endforeach()
    target_compile_options(${target}_plugin PRIVATE ${PAIR_PLUGIN_FLAGS})
    target_link_options(${target} PRIVATE ${PAIR_FLAGS} ${PAIR_PLUGIN_FLAGS})
  endforeach()
endfunction()

# engine_<tag>: the engine (docs/engine.md) as a shared library that lives beside the stores
# above in one test program (tests/host/engine_under_test.h); FLAGS, PLUGIN_FLAGS and SUPPORT
# as above (the test support made with the same FLAGS holds the engine's checker).
function(add_engine_under_test tag)
  cmake_parse_arguments(ENGINE "" "SUPPORT" "FLAGS;PLUGIN_FLAGS" ${ARGN})
  set(target engine${tag})
  add_library(${target}_plugin OBJECT)
  add_engine_sources(${target}_plugin HOST_TEST)
  add_library(${target} SHARED $<TARGET_OBJECTS:${target}_plugin>
    "${CMAKE_SOURCE_DIR}/tests/host/engine_under_test.cpp")
  target_link_libraries(${target} PRIVATE graph_checks_engine${ENGINE_SUPPORT})
  foreach(part ${target}_plugin ${target})
    target_include_directories(${part} PRIVATE
      "${CMAKE_SOURCE_DIR}/engine" "${CMAKE_SOURCE_DIR}/graph" "${CMAKE_SOURCE_DIR}/gateway"
      "${CMAKE_SOURCE_DIR}/bulk" "${CMAKE_SOURCE_DIR}/deliverables/engine" "${CMAKE_SOURCE_DIR}/tests/host")
    target_compile_definitions(${part} PRIVATE HOST_TEST GRAPH_INDEXED=1 GRAPH_ENGINE=1)
    target_compile_options(${part} PRIVATE ${PROJECT_WARNINGS} ${ENGINE_FLAGS})
    set_target_properties(${part} PROPERTIES POSITION_INDEPENDENT_CODE ON
      CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  endforeach()
  target_compile_options(${target}_plugin PRIVATE ${ENGINE_PLUGIN_FLAGS})
  target_link_options(${target} PRIVATE ${ENGINE_FLAGS} ${ENGINE_PLUGIN_FLAGS})
endfunction()
