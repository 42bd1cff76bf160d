# Windows tree: the deliverables, and (64-bit only) the test executables run under Wine.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

ovx_core_library(ovxcore)
target_compile_options(ovxcore PRIVATE -O2)

# No link time in the executables' header: the same sources give the same bytes.
set(OVX_GUI_LINK -municode -mwindows -static -Wl,--no-insert-timestamp)

add_executable(ovxmain WIN32 app/win32/OvxMain.cpp app/win32/ovxmain.rc)
# windres names no dependencies: the files the resource script takes in are listed here, so that a
# changed picture, list or included script is built in.
set(OVX_MAIN_RESOURCE_FILES app/win32/ovxmain.ico app/win32/ovxmain.manifest app/win32/AppResources.h
    app/win32/ProductPicture.jpg shell/CmdList.txt editor/win32/EditorResources.rc editor/win32/ToolBarImages.bmp
    charset/win32/CharsetResources.rc charset/win32/AnkFonts.bmp)
list(TRANSFORM OVX_MAIN_RESOURCE_FILES PREPEND ${CMAKE_SOURCE_DIR}/)
set_source_files_properties(app/win32/ovxmain.rc PROPERTIES OBJECT_DEPENDS "${OVX_MAIN_RESOURCE_FILES}")
target_link_libraries(ovxmain PRIVATE ovxcore)
target_link_options(ovxmain PRIVATE ${OVX_GUI_LINK})
include(cmake/FilerTemplates.cmake)
add_dependencies(ovxmain ovx_filer_templates)

file(GLOB OVX_LAUNCHER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/launcher/*.cpp)
# The launcher carries its own copy of the instance connection's sending side, and nothing else.
add_executable(ovx WIN32 ${OVX_LAUNCHER_SOURCES} shell/win32/InstanceConnection.cpp launcher/ovx.rc)
target_include_directories(ovx PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
target_compile_definitions(ovx PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_options(ovx PRIVATE ${OVX_GUI_LINK})

# The i686 editor may use the whole 4 GiB a 64-bit system gives a 32-bit process: large documents.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(ovxmain PRIVATE -Wl,--large-address-aware)
endif()

# Deliverables ship stripped; their symbols stay beside them in NAME.exe.debug, which a debugger
# finds through the debug link.
get_filename_component(ovx_tool_prefix ${CMAKE_CXX_COMPILER} NAME)
string(REGEX REPLACE "g\\+\\+.*$" "" ovx_tool_prefix ${ovx_tool_prefix})
find_program(OVX_OBJCOPY ${ovx_tool_prefix}objcopy REQUIRED)

# The editor starts without the shell, the common dialogs and COM; the launcher without the
# window manager's library, which it needs only to hand files to a running editor.
include(cmake/DelayImports.cmake)
ovx_delay_imports(ovxmain shell32 DragFinish@4 DragQueryFileW@16 SHBrowseForFolderW@4 SHGetFolderPathW@20
                  SHGetPathFromIDListW@8 ShellExecuteW@24 Shell_NotifyIconW@8)
ovx_delay_imports(ovxmain comdlg32 ChooseColorW@4 GetOpenFileNameW@4 GetSaveFileNameW@4)
ovx_delay_imports(ovxmain ole32 CoCreateInstance@20 CoInitializeEx@8 CoTaskMemFree@4 CoUninitialize@0)
ovx_delay_imports(ovx user32 AllowSetForegroundWindow@4 FindWindowW@8 GetWindowThreadProcessId@8 MessageBoxW@16
                  SendMessageW@16 SetForegroundWindow@4)
# objcopy writes the moment of its run into the header unless told a fixed one.
set(ovx_objcopy_fixed ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${OVX_OBJCOPY})
foreach(deliverable ovxmain ovx)
  add_custom_command(TARGET ${deliverable} POST_BUILD
    COMMAND ${ovx_objcopy_fixed} --only-keep-debug $<TARGET_FILE_NAME:${deliverable}> $<TARGET_FILE_NAME:${deliverable}>.debug
    COMMAND ${ovx_objcopy_fixed} --strip-all $<TARGET_FILE_NAME:${deliverable}>
    COMMAND ${ovx_objcopy_fixed} --add-gnu-debuglink=$<TARGET_FILE_NAME:${deliverable}>.debug $<TARGET_FILE_NAME:${deliverable}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${deliverable}>
    VERBATIM)
endforeach()

if(OVX_DELIVERABLES_ONLY)
  return()
endif()

set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${OVX_GTEST_SOURCE} googletest EXCLUDE_FROM_ALL)

set(OVX_CONSOLE_LINK -municode -static)

# The same portable unit tests as natively.
file(GLOB_RECURSE OVX_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(ovx_unit_tests ${OVX_UNIT_TESTS})
target_link_libraries(ovx_unit_tests PRIVATE ovxcore gtest gtest_main)
target_link_options(ovx_unit_tests PRIVATE -static)
# Only the tests that read files of the source tree know where it is, so the other test objects
# do not depend on the checkout's path.
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/unit/editor/editor_toolbar_images_test.cpp
                            ${CMAKE_SOURCE_DIR}/tests/unit/charset/SJisStr_test.cpp
                            ${CMAKE_SOURCE_DIR}/tests/unit/app/app_help_topics_test.cpp
                            PROPERTIES COMPILE_DEFINITIONS OVX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

# Win32 pieces against the real platform (registry, clipboard, files).
file(GLOB_RECURSE OVX_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
if(OVX_WIN32_TESTS)
  add_executable(ovx_win32_tests ${OVX_WIN32_TESTS})
  target_link_libraries(ovx_win32_tests PRIVATE ovxcore gtest gtest_main)
  target_link_options(ovx_win32_tests PRIVATE -static)
endif()

# End-to-end driver: starts the deliverables and drives them from outside.
file(GLOB_RECURSE OVX_E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
if(OVX_E2E_SOURCES)
  add_executable(ovx_e2e_tests ${OVX_E2E_SOURCES})
  # The timing cases read the program's own trace with the program's own reader.
  target_sources(ovx_e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/shell/TraceLines.cpp)
  # Cells are found on screen with the view's own geometry.
  target_sources(ovx_e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/view/ViewGeometry.cpp)
  target_include_directories(ovx_e2e_tests PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(ovx_e2e_tests PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
  target_link_libraries(ovx_e2e_tests PRIVATE gtest gtest_main user32 gdi32 advapi32 shell32 psapi)
  # gtest_main supplies main(), not wmain(): no -municode here.
  target_link_options(ovx_e2e_tests PRIVATE -static)
  add_dependencies(ovx_e2e_tests ovxmain ovx)
endif()

# Screenshots of every window at the prefix's DPI, for a person to look at (scripts/shots-144).
file(GLOB OVX_SHOTS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/shots/*.cpp)
if(OVX_SHOTS_SOURCES)
  add_executable(ovx_dpi_shots ${OVX_SHOTS_SOURCES} ${CMAKE_SOURCE_DIR}/tests/e2e/E2eDriver.cpp)
  target_include_directories(ovx_dpi_shots PRIVATE ${CMAKE_SOURCE_DIR})
  target_sources(ovx_dpi_shots PRIVATE ${CMAKE_SOURCE_DIR}/view/ViewGeometry.cpp)
  target_compile_definitions(ovx_dpi_shots PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
  target_link_libraries(ovx_dpi_shots PRIVATE gtest gtest_main user32 gdi32 advapi32 shell32 comctl32)
  target_link_options(ovx_dpi_shots PRIVATE -static)
  add_dependencies(ovx_dpi_shots ovxmain ovx)
endif()
