# Turns shell/CmdList.txt (the command list, also the resource "IDM_CMDLIST" of
# ovxmain.exe) into a header of bytes for the core, so both read one text.
set(OVX_CMDLIST_SOURCE ${CMAKE_SOURCE_DIR}/shell/CmdList.txt)
set(OVX_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${OVX_CMDLIST_SOURCE})

file(READ ${OVX_CMDLIST_SOURCE} ovx_cmdlist_hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," ovx_cmdlist_bytes "${ovx_cmdlist_hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n  " ovx_cmdlist_bytes "${ovx_cmdlist_bytes}")
set(ovx_cmdlist_header "// Generated from shell/CmdList.txt by cmake/CmdList.cmake. Do not edit.
#pragma once
namespace ovx {
inline constexpr unsigned char CmdListTextBytes[] = {
  ${ovx_cmdlist_bytes}
};
}  // namespace ovx
")
set(ovx_cmdlist_out ${OVX_GENERATED_DIR}/shell/CmdListText.h)
set(ovx_cmdlist_old "")
if(EXISTS ${ovx_cmdlist_out})
  file(READ ${ovx_cmdlist_out} ovx_cmdlist_old)
endif()
if(NOT ovx_cmdlist_old STREQUAL ovx_cmdlist_header)
  file(WRITE ${ovx_cmdlist_out} "${ovx_cmdlist_header}")
endif()
include_directories(${OVX_GENERATED_DIR})
