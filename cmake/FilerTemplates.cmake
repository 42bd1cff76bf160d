# The shipped templates: UTF-8 in filer/templates, Shift-JIS (as the template language reads
# them) in the folder "filer" of the build tree, beside ovxmain.exe. This is the one place
# that converts them.
find_program(OVX_ICONV iconv REQUIRED)
file(GLOB OVX_FILER_TEMPLATE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/filer/templates/*.OVXF)
set(OVX_FILER_DIR ${CMAKE_BINARY_DIR}/filer)
set(ovx_filer_outputs)
foreach(source IN LISTS OVX_FILER_TEMPLATE_SOURCES)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${OVX_FILER_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${OVX_FILER_DIR}
    COMMAND ${OVX_ICONV} -f UTF-8 -t CP932 -o ${OVX_FILER_DIR}/${name} ${source}
    DEPENDS ${source}
    COMMENT "Shift-JIS template ${name}"
    VERBATIM)
  list(APPEND ovx_filer_outputs ${OVX_FILER_DIR}/${name})
endforeach()
add_custom_target(ovx_filer_templates ALL DEPENDS ${ovx_filer_outputs})
