# deliverables.cmake - the sources of every deliverable and the targets built from them.
# toolbox/plugin_sources.m and the Octave package's Makefile (packaging/octave) read the source
# lists below too: each stays a plain set(<NAME> file ...), paths from the project's root.

set(GRAPH_SOURCES
  graph/nodes.cpp graph/edges.cpp graph/merge.cpp graph/shortest_path.cpp graph/distance.cpp)
# the indexed store's own parts, added to GRAPH_SOURCES where GRAPH_INDEXED is 1
set(INDEX_SOURCES graph/index.cpp graph/search_heap.cpp graph/node_pool.cpp graph/entry_pool.cpp)
set(GATEWAY_SOURCES
  gateway/gateway.cpp gateway/call.cpp gateway/commands.cpp gateway/path_command.cpp)
# command 7 of each deliverable: the grid import, or the weight refresh
set(zelmot_BULK_SOURCES bulk/load_grid.cpp bulk/grid_command.cpp)
set(ombrik_BULK_SOURCES bulk/load_grid.cpp bulk/grid_command.cpp)
set(main_BULK_SOURCES   bulk/refresh_weights.cpp bulk/refresh_command.cpp)
# the engine behind GraphPlugin's own graphs (docs/engine.md): the indexed store built with
# GRAPH_ENGINE, without the plug-ins' search, and the gateway's error reporting
set(ENGINE_SOURCES
  engine/engine.cpp engine/engine_call.cpp engine/graph_ops.cpp engine/graph_queries.cpp
  engine/cost_search.cpp engine/graph_table.cpp)
set(ENGINE_STORE_SOURCES
  graph/nodes.cpp graph/edges.cpp graph/merge.cpp graph/distance.cpp bulk/refresh_weights.cpp
  gateway/call.cpp)

set(PROJECT_WARNINGS -Wall -Wextra)
# The tests' own code: compiled at -O1, which takes half the time of -O2 for GoogleTest's
# templates, or at -O0 where the sanitizers instrument it; the plug-in code they link keeps
# the tree's optimisation.
if(SANITIZE)
  set(TEST_CODE_OPTIONS ${PROJECT_WARNINGS} -O0)
else()
  set(TEST_CODE_OPTIONS ${PROJECT_WARNINGS} -O1)
endif()

list(TRANSFORM GRAPH_SOURCES PREPEND "${CMAKE_SOURCE_DIR}/")
list(TRANSFORM INDEX_SOURCES PREPEND "${CMAKE_SOURCE_DIR}/")
list(TRANSFORM GATEWAY_SOURCES PREPEND "${CMAKE_SOURCE_DIR}/")
list(TRANSFORM ENGINE_SOURCES PREPEND "${CMAKE_SOURCE_DIR}/")
list(TRANSFORM ENGINE_STORE_SOURCES PREPEND "${CMAKE_SOURCE_DIR}/")
foreach(name zelmot ombrik main)
  list(TRANSFORM ${name}_BULK_SOURCES PREPEND "${CMAKE_SOURCE_DIR}/")
endforeach()

# The store's sources for GRAPH_INDEXED = <indexed> (0 or 1), into <out>.
function(store_sources out indexed)
  set(sources ${GRAPH_SOURCES})
  if(indexed)
    list(APPEND sources ${INDEX_SOURCES})
  endif()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# graph_<name>: the graph store and the host-free half of command 7, with <name>'s settings,
# indexed or not as the tree's GRAPH_INDEX says.
function(add_graph_library name)
  store_sources(sources "${GRAPH_INDEX}")
  add_library(graph_${name} STATIC ${sources})
  target_include_directories(graph_${name} PUBLIC
    "${CMAKE_SOURCE_DIR}/graph" "${CMAKE_SOURCE_DIR}/bulk" "${CMAKE_SOURCE_DIR}/deliverables/${name}")
  target_compile_definitions(graph_${name} PUBLIC GRAPH_INDEXED=$<BOOL:${GRAPH_INDEX}>)
  target_compile_options(graph_${name} PRIVATE ${PROJECT_WARNINGS})
  set_target_properties(graph_${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

# Adds the gateway and command 7 of <name> for the host chosen by <host_define> to <target>.
function(add_gateway_sources target name host_define)
  target_sources(${target} PRIVATE ${GATEWAY_SOURCES} ${${name}_BULK_SOURCES})
  target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}/gateway")
  target_compile_definitions(${target} PRIVATE ${host_define})
  target_compile_options(${target} PRIVATE ${PROJECT_WARNINGS})
  target_link_libraries(${target} PRIVATE graph_${name})
endfunction()

# Adds the engine's sources for the host chosen by <host_define> to <target>: the indexed store
# in every tree.
function(add_engine_sources target host_define)
  target_sources(${target} PRIVATE ${ENGINE_SOURCES} ${ENGINE_STORE_SOURCES} ${INDEX_SOURCES})
  target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}/engine" "${CMAKE_SOURCE_DIR}/graph"
    "${CMAKE_SOURCE_DIR}/gateway" "${CMAKE_SOURCE_DIR}/bulk" "${CMAKE_SOURCE_DIR}/deliverables/engine")
  target_compile_definitions(${target} PRIVATE ${host_define} GRAPH_INDEXED=1 GRAPH_ENGINE=1)
  target_compile_options(${target} PRIVATE ${PROJECT_WARNINGS})
endfunction()
