# windows.cmake - the deliverables as Windows MEX files, build/windows/<name>.mexw32 (win32
# preset) or <name>.mexw64 (win64 preset): DLLs exporting mexFunction alone, importing the host's
# functions from libmx.dll and libmex.dll, with the MinGW runtime linked in statically (see the
# toolchain files).

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(MEX_WIDTH 64)
  set(DLLTOOL_MACHINE i386:x86-64)
else()
  set(MEX_WIDTH 32)
  set(DLLTOOL_MACHINE i386)
endif()
set(MEX_SUFFIX ".mexw${MEX_WIDTH}")
set(WINDOWS_OUTPUT_DIR "${PLUGIN_OUTPUT_ROOT}/windows${PLUGIN_FOLDER_SUFFIX}")

if(NOT MINGW_DLLTOOL)
  message(FATAL_ERROR "the windows host needs a MinGW toolchain file (cmake/toolchain-mingw*.cmake)")
endif()
find_program(DLLTOOL_PROGRAM ${MINGW_DLLTOOL} REQUIRED)

# Import libraries for the host's DLLs, made from our own .def files: MATLAB's are never needed.
set(HOST_IMPORT_LIBS "")
foreach(dll libmx libmex)
  set(def "${CMAKE_SOURCE_DIR}/gateway/windows/${dll}.def")
  set(lib "${CMAKE_BINARY_DIR}/import/${dll}.a")
  add_custom_command(OUTPUT "${lib}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/import"
    COMMAND ${DLLTOOL_PROGRAM} -m ${DLLTOOL_MACHINE} -d "${def}" -D ${dll}.dll -l "${lib}"
    DEPENDS "${def}"
    COMMENT "Making the import library ${dll}.a")
  list(APPEND HOST_IMPORT_LIBS "${lib}")
endforeach()
add_custom_target(host_import_libs DEPENDS ${HOST_IMPORT_LIBS})

function(add_windows_plugin name)
  set(target ${name}_windows)
  add_library(${target} MODULE)
  if(name STREQUAL "graphplugin_engine")
    add_engine_sources(${target} HOST_WINDOWS)
  else()
    add_gateway_sources(${target} ${name} HOST_WINDOWS)
  endif()
  add_dependencies(${target} host_import_libs)
  target_link_libraries(${target} PRIVATE ${HOST_IMPORT_LIBS})
  # mexFunction carries the dllexport; nothing else may be exported, and MinGW would otherwise
  # export every global when a DLL marks none.
  target_link_options(${target} PRIVATE -Wl,--exclude-all-symbols)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${name} PREFIX "" SUFFIX "${MEX_SUFFIX}"
    LIBRARY_OUTPUT_DIRECTORY "${WINDOWS_OUTPUT_DIR}"
    RUNTIME_OUTPUT_DIRECTORY "${WINDOWS_OUTPUT_DIR}")
endfunction()

foreach(name IN LISTS DELIVERABLES ITEMS graphplugin_engine)
  add_windows_plugin(${name})
endforeach()
