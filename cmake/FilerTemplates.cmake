# The shipped templates: UTF-8 in filer/templates, Shift-JIS (as the template language reads
# them) in the folder "filer" of the build tree, beside ovxmain.exe, with the same sub-folders.
# This is the one place that converts them.
find_program(OVX_ICONV iconv REQUIRED)
set(ovx_filer_source_dir ${CMAKE_SOURCE_DIR}/filer/templates)
file(GLOB_RECURSE OVX_FILER_TEMPLATE_SOURCES CONFIGURE_DEPENDS RELATIVE ${ovx_filer_source_dir}
     ${ovx_filer_source_dir}/*.OVXF)
set(OVX_FILER_DIR ${CMAKE_BINARY_DIR}/filer)
set(ovx_filer_outputs)
foreach(name IN LISTS OVX_FILER_TEMPLATE_SOURCES)
  get_filename_component(folder ${OVX_FILER_DIR}/${name} DIRECTORY)
  add_custom_command(OUTPUT ${OVX_FILER_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${OVX_ICONV} -f UTF-8 -t CP932 -o ${OVX_FILER_DIR}/${name} ${ovx_filer_source_dir}/${name}
    DEPENDS ${ovx_filer_source_dir}/${name}
    COMMENT "Shift-JIS template ${name}"
    VERBATIM)
  list(APPEND ovx_filer_outputs ${OVX_FILER_DIR}/${name})
endforeach()
add_custom_target(ovx_filer_templates ALL DEPENDS ${ovx_filer_outputs})
