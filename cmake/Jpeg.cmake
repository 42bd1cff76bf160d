# libjpeg for the version dialog's picture: on Windows the static libraries that
# scripts/lib/build-libjpeg.sh builds into build/libjpeg/<processor>, natively the system's.
if(WIN32)
  set(OVX_JPEG_DIR ${CMAKE_SOURCE_DIR}/build/libjpeg/${CMAKE_SYSTEM_PROCESSOR})
  if(NOT EXISTS ${OVX_JPEG_DIR}/lib/libjpeg.a)
    message(FATAL_ERROR "libjpeg for ${CMAKE_SYSTEM_PROCESSOR} is missing: run scripts/install-deps")
  endif()
  add_library(ovx_jpeg STATIC IMPORTED)
  set_target_properties(ovx_jpeg PROPERTIES IMPORTED_LOCATION ${OVX_JPEG_DIR}/lib/libjpeg.a
                                            INTERFACE_INCLUDE_DIRECTORIES ${OVX_JPEG_DIR}/include)
else()
  find_package(JPEG REQUIRED)
  add_library(ovx_jpeg INTERFACE)
  target_link_libraries(ovx_jpeg INTERFACE JPEG::JPEG)
endif()
