# Libraries a deliverable's start does without are loaded at their first call: under Wine every
# library loaded with the process costs its start milliseconds before the first line runs. The
# import library of each is made from the functions named here; an i686 name carries the bytes of
# its arguments after "@".
find_program(OVX_DLLTOOL ${ovx_tool_prefix}dlltool REQUIRED)

# ovx_delay_imports(TARGET DLL FUNCTION@BYTES...)
function(ovx_delay_imports target dll)
  set(dir ${CMAKE_BINARY_DIR}/delay-imports)
  set(def ${dir}/${dll}.def)
  set(lib ${dir}/lib${dll}_delay.a)
  set(text "LIBRARY ${dll}.dll\nEXPORTS\n")
  foreach(entry ${ARGN})
    if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(REGEX REPLACE "@[0-9]+$" "" entry ${entry})
    endif()
    string(APPEND text "${entry}\n")
  endforeach()
  # Written only when it changed, so that a new configure run relinks nothing.
  file(WRITE ${def}.new "${text}")
  configure_file(${def}.new ${def} COPYONLY)
  set(kill_at)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(kill_at --kill-at)
  endif()
  add_custom_command(OUTPUT ${lib}
    COMMAND ${OVX_DLLTOOL} --input-def ${def} --output-delaylib ${lib} --dllname ${dll}.dll ${kill_at}
    DEPENDS ${def} VERBATIM)
  add_custom_target(${target}_${dll}_delay DEPENDS ${lib})
  add_dependencies(${target} ${target}_${dll}_delay)
  # After the core library and before the system's import libraries, which then give nothing.
  target_link_libraries(${target} PRIVATE ${lib})
endfunction()
