# vdk_library(<name> SOURCES ... [DEPENDS ...])
# One static library per source folder; headers are included as "folder/File.h".
function(vdk_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} PRIVATE vdk_warnings)
endfunction()

# vdk_test(<folder> SOURCES ... DEPENDS ...)
# One test executable per folder, every test labelled with the folder's name.
function(vdk_test folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  set(target ${folder}_tests)
  add_executable(${target} ${ARG_SOURCES})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} vdk_test_support GTest::gtest_main GTest::gmock vdk_warnings)
  target_compile_definitions(${target} PRIVATE
    VDK_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data/${folder}"
    VDK_RUNTIME_DIR="${VDK_RUNTIME_DIR}")
  gtest_discover_tests(${target} PROPERTIES LABELS ${folder} DISCOVERY_TIMEOUT 60)
endfunction()

# Every .cpp of a folder belongs to its library (or its test program); new files need no list edit.
function(vdk_sources out dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# Every .cpp of a folder and of its subfolders (a folder that keeps one format per subfolder).
function(vdk_tree_sources out dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# vdk_oracle_test(<folder> SOURCES ... DEPENDS ... SUITES ...)
# Oracle tests have outside programs (LibreOffice, pandoc) read what we write. They get a program of their
# own, <folder>_oracle_tests, and one CTest test per suite, labelled "oracle" besides the folder's label,
# so that LibreOffice starts once for a suite and the group can be run or left out; a suite that skipped
# itself (a program is missing) is reported skipped, never passed.
function(vdk_oracle_test folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;SUITES" ${ARGN})
  set(target ${folder}_oracle_tests)
  add_executable(${target} ${ARG_SOURCES})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} vdk_test_support GTest::gtest_main vdk_warnings)
  target_compile_definitions(${target} PRIVATE
    VDK_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data/${folder}"
    VDK_RUNTIME_DIR="${VDK_RUNTIME_DIR}")
  foreach(suite IN LISTS ARG_SUITES)
    add_test(NAME ${suite} COMMAND ${target} --gtest_filter=${suite}.*)
    set_tests_properties(${suite} PROPERTIES LABELS "${folder};oracle" SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  endforeach()
endfunction()
