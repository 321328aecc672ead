# Helpers that give every folder's target the same shape: one static library per
# folder, headers included as "folder/File.h" from src/, moc on.

function(tolvex_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
endfunction()

# One GoogleTest program per test folder; each case runs as its own ctest process
# on the offscreen platform.
function(tolvex_test_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE TOLVEX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE tolvex_testsupport ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TOLVEX_TESTING=1" TIMEOUT 120)
endfunction()
