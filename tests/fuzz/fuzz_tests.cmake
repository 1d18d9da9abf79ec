# Builds the fuzz harnesses with clang and libFuzzer when they are installed, and runs each for a
# few seconds as a test. scripts/fuzz.sh runs them for longer.
function(velmar_add_fuzz_tests)
  find_program(VELMAR_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)
  if(NOT VELMAR_CLANGXX)
    message(STATUS "clang++ not found: the fuzz harnesses are not built")
    return()
  endif()

  # libFuzzer comes in a package of its own; without it clang cannot link a harness.
  set(probe_dir ${CMAKE_CURRENT_BINARY_DIR}/fuzz_probe)
  file(WRITE ${probe_dir}/probe.cpp "#include <cstddef>\n#include <cstdint>\n"
       "extern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
  execute_process(COMMAND ${VELMAR_CLANGXX} -fsanitize=fuzzer,address,undefined ${probe_dir}/probe.cpp
                          -o ${probe_dir}/probe
                  RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(NOT probe_result EQUAL 0)
    message(STATUS "${VELMAR_CLANGXX} cannot link libFuzzer: the fuzz harnesses are not built")
    return()
  endif()

  include(ExternalProject)
  set(fuzz_dir ${CMAKE_BINARY_DIR}/fuzz)
  ExternalProject_Add(velmar_fuzz
    SOURCE_DIR ${CMAKE_CURRENT_FUNCTION_LIST_DIR}
    BINARY_DIR ${fuzz_dir}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${VELMAR_CLANGXX} -DVELMAR_SOURCE_DIR=${CMAKE_SOURCE_DIR}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")

  foreach(harness number_text table_reader polynomial_roots project_reader)
    # A fresh corpus folder first, so that new inputs never land among the seeds.
    set(seeds ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/seeds/${harness})
    add_test(NAME Fuzz.${harness}
             COMMAND sh -c "rm -rf corpus_${harness} && mkdir corpus_${harness} && ./fuzz_${harness} \
-max_total_time=5 -timeout=10 -print_final_stats=1 -artifact_prefix=crash_${harness}_ corpus_${harness} ${seeds}"
             WORKING_DIRECTORY ${fuzz_dir})
    set_tests_properties(Fuzz.${harness} PROPERTIES TIMEOUT 120)
  endforeach()
endfunction()

velmar_add_fuzz_tests()
