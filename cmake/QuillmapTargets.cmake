# One helper per kind of target keeps every folder's CMakeLists.txt short and
# applies the same warnings and sanitizer flags everywhere.

set(QM_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)

if(QM_SANITIZE)
  # -O1 keeps sanitized test runs quick without hiding what they check.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -O1)
  add_link_options(-fsanitize=address,undefined)
endif()

if(QM_BUILD_FUZZ)
  # Every library is instrumented for coverage so libFuzzer can steer into it.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# qm_library(NAME SOURCES ... DEPS ...): a static library of one layer.
function(qm_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  target_compile_options(${name} PRIVATE ${QM_WARNINGS})
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

# qm_executable(NAME SOURCES ... DEPS ...)
function(qm_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_compile_options(${name} PRIVATE ${QM_WARNINGS})
endfunction()

# qm_test(NAME SOURCES ... DEPS ...): a GoogleTest binary registered with ctest.
# Every test runs in Tokyo time with its own empty settings folder.
function(qm_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} qm_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_options(${name} PRIVATE ${QM_WARNINGS})
  target_compile_definitions(${name} PRIVATE QM_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT
      "TZ=Asia/Tokyo\\;QT_QPA_PLATFORM=offscreen\\;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config/${name}")
endfunction()

# qm_key_file(NAME DIR): the target NAME (built by default) writes the key
# definition file the program ships, res/DefaultKeys.h, as DIR/quillmap.key;
# the program looks for it in its own folder.
function(qm_key_file name dir)
  add_custom_command(OUTPUT ${dir}/quillmap.key
    COMMAND quillmap-keyfile ${dir}/quillmap.key
    DEPENDS quillmap-keyfile
    COMMENT "Writing ${dir}/quillmap.key")
  add_custom_target(${name} ALL DEPENDS ${dir}/quillmap.key)
endfunction()

# qm_benchmark(NAME SOURCES ... DEPS ...)
function(qm_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
  target_compile_options(${name} PRIVATE ${QM_WARNINGS})
endfunction()

# qm_fuzzer(NAME SOURCES ... DEPS ...): a fuzz target NAME ending in _fuzzer.
# With QM_BUILD_FUZZ it is a libFuzzer binary NAME. With QM_BUILD_TESTS it is
# also NAME_replay, the same target behind fuzz/ReplayMain.cpp, which ctest
# runs as fuzz_replay_TARGET over fuzz/seeds/TARGET: the seeds then run on
# every compiler and sanitizer the tests are built with, not only on clang.
function(qm_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(QM_BUILD_FUZZ)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
    target_compile_options(${name} PRIVATE ${QM_WARNINGS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  endif()
  if(QM_BUILD_TESTS)
    string(REGEX REPLACE "_fuzzer$" "" target ${name})
    add_executable(${name}_replay ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
    target_link_libraries(${name}_replay PRIVATE ${ARG_DEPS})
    target_compile_options(${name}_replay PRIVATE ${QM_WARNINGS})
    add_test(NAME fuzz_replay_${target}
      COMMAND ${name}_replay ${CMAKE_CURRENT_SOURCE_DIR}/seeds/${target})
    set_tests_properties(fuzz_replay_${target} PROPERTIES LABELS fuzz)
  endif()
endfunction()
