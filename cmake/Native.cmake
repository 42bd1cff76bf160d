# Native (Linux) tree: the core, its unit tests under sanitizers, the benchmarks.
ovx_core_library(ovxcore)
target_compile_options(ovxcore PRIVATE -O2)

set(OVX_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)

add_subdirectory(${OVX_GTEST_SOURCE} googletest EXCLUDE_FROM_ALL)

file(GLOB_RECURSE OVX_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
if(OVX_SANITIZE)
  ovx_core_library(ovxcore_san)
  target_compile_options(ovxcore_san PUBLIC ${OVX_SAN_FLAGS})
  target_link_options(ovxcore_san PUBLIC ${OVX_SAN_FLAGS})
  set(OVX_TEST_CORE ovxcore_san)
else()
  set(OVX_TEST_CORE ovxcore)
endif()
add_executable(ovx_unit_tests ${OVX_UNIT_TESTS})
target_link_libraries(ovx_unit_tests PRIVATE ${OVX_TEST_CORE} gtest gtest_main)
# Only the tests that read files of the source tree know where it is, so the other test objects
# do not depend on the checkout's path.
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/unit/editor/editor_toolbar_images_test.cpp
                            ${CMAKE_SOURCE_DIR}/tests/unit/charset/SJisStr_test.cpp
                            ${CMAKE_SOURCE_DIR}/tests/unit/app/app_help_topics_test.cpp
                            PROPERTIES COMPILE_DEFINITIONS OVX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

# The shipped templates are checked against real files of their formats, as the build converts them.
include(cmake/FilerTemplates.cmake)
add_dependencies(ovx_unit_tests ovx_filer_templates)
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/unit/filer/FilerShippedTemplates_test.cpp
                            PROPERTIES COMPILE_DEFINITIONS "OVX_FILER_DIR=\"${OVX_FILER_DIR}\";OVX_BUILD_ROOT=\"${CMAKE_BINARY_DIR}/..\"")

add_subdirectory(bench)

# Reader of the editor's own timing file (OVX_TRACE).
add_executable(ovx_trace_report ${CMAKE_SOURCE_DIR}/tools/trace_report.cpp)
target_link_libraries(ovx_trace_report PRIVATE ovxcore)

# The manual's key tables, from the command list and the built-in key templates (scripts/package).
add_executable(ovx_key_tables ${CMAKE_SOURCE_DIR}/tools/key_tables.cpp)
target_link_libraries(ovx_key_tables PRIVATE ovxcore)
