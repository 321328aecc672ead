# The fuzz harnesses as ctest tests (label "fuzz"): one test builds them with clang
# into <build>/fuzz, then each harness runs a few seconds over its seed corpus.
# Without clang every one of them is skipped with the reason.
include(${CMAKE_CURRENT_LIST_DIR}/Harnesses.cmake)
set(_fuzz_env "TOLVEX_FUZZ_BUILD=${CMAKE_BINARY_DIR}/fuzz")
add_test(NAME fuzz_build COMMAND ${CMAKE_CURRENT_LIST_DIR}/run.sh build)
set_tests_properties(fuzz_build PROPERTIES LABELS fuzz FIXTURES_SETUP fuzz_harnesses
  SKIP_RETURN_CODE 77 TIMEOUT 1800 ENVIRONMENT "${_fuzz_env}")
foreach(name IN LISTS TOLVEX_FUZZ_HARNESSES)
  add_test(NAME fuzz_${name} COMMAND ${CMAKE_CURRENT_LIST_DIR}/run.sh run ${name} 4)
  set_tests_properties(fuzz_${name} PROPERTIES LABELS fuzz FIXTURES_REQUIRED fuzz_harnesses
    SKIP_RETURN_CODE 77 TIMEOUT 300 ENVIRONMENT "${_fuzz_env}")
endforeach()
