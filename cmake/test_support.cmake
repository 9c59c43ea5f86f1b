# test_support.cmake - the parts of the tests that no deliverable's settings change, compiled
# once per tree and set of flags rather than once per program:
#   test_host<tag>             the in-process test host (tests/host/test_host.cpp)
#   graph_checks<tag>          the invariant checker, for the default store's records
#   graph_checks_indexed<tag>  the same for the indexed store's records, with the index's checks
#   graph_checks_engine<tag>   the same for the engine's records (its entries are numbered)
# The flags given go to all three (e.g. -m32 for a 32-bit fuzzer). The checkers are compiled
# hidden, so that each shared library of a store keeps a copy of its own: the two stores'
# records differ. The test host is not: a program exports it to the stores it links.
function(add_test_support tag)
  if(TARGET test_host${tag})
    return()
  endif()
  add_library(test_host${tag} STATIC "${CMAKE_SOURCE_DIR}/tests/host/test_host.cpp")
  target_include_directories(test_host${tag} PUBLIC "${CMAKE_SOURCE_DIR}/tests/host")
  set(parts test_host${tag})
  foreach(variant "" "_indexed" "_engine")
    set(lib graph_checks${variant}${tag})
    add_library(${lib} STATIC "${CMAKE_SOURCE_DIR}/tests/host/invariants.cpp")
    target_include_directories(${lib} PUBLIC "${CMAKE_SOURCE_DIR}/tests/host" "${CMAKE_SOURCE_DIR}/graph")
    target_compile_definitions(${lib} PRIVATE GRAPH_INDEXED=$<BOOL:${variant}>
                                              GRAPH_ENGINE=$<STREQUAL:${variant},_engine>)
    set_target_properties(${lib} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
    list(APPEND parts ${lib})
  endforeach()
  foreach(part IN LISTS parts)
    target_compile_options(${part} PRIVATE ${PROJECT_WARNINGS} -O1 ${ARGN})
    set_target_properties(${part} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  endforeach()
endfunction()
