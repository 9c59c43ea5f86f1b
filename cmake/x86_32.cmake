# Some machines do not run 32-bit x86 programs: virtual machines without the processor's 32-bit
# compatibility mode refuse them ("Exec format error"), and 32-bit Wine with them. There
# scripts/qemu_i386.sh registers qemu-i386 for them with binfmt_misc, and the tests of such
# programs run through tests/run_x86_32.sh (or, under Wine, tests/windows/wine.sh), which run
# them under it; where they cannot (QEMU_I386=no, no emulator), tests/skip.sh prints why and
# ends with X86_32_SKIP_CODE: CTest reports them as skipped, and scripts/test.sh counts them so
# only with that line. No test program of ours ends with this code otherwise (libFuzzer's error
# code is 77).
set(X86_32_SKIP_CODE 125)
set(RUN_X86_32 bash "${CMAKE_SOURCE_DIR}/tests/run_x86_32.sh")

# A tree whose every program is 32-bit x86 (the m32 presets): each test program runs through
# the launcher.
if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND NOT CMAKE_CROSSCOMPILING)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RUN_X86_32})
  # The tests read the scenario folder: with 32-bit offsets, readdir fails where a file system
  # hands out 64-bit ones (as it does to a 32-bit program under emulation).
  add_compile_definitions(_FILE_OFFSET_BITS=64)
  set(X86_32_TREE ON)
else()
  set(X86_32_TREE OFF)
endif()

# Marks the tests given (of the current directory) as ones a machine without 32-bit x86 skips.
function(x86_32_tests)
  set_tests_properties(${ARGN} PROPERTIES SKIP_RETURN_CODE ${X86_32_SKIP_CODE})
endfunction()

# In a 32-bit tree, marks every test of the current directory.
function(x86_32_tree_tests)
  get_property(tests DIRECTORY PROPERTY TESTS)
  if(X86_32_TREE AND tests)
    x86_32_tests(${tests})
  endif()
endfunction()
