# Windows resources of tufu-cli.exe (included by cli/CMakeLists.txt): a
# version resource and the program's icon, converted with ImageMagick from
# the icon pictures that a native build draws (tools/icon, TUFU_BUILD_UI=ON).
enable_language(RC)
find_program(TUFU_CONVERT NAMES convert magick REQUIRED)

set(icon_dir ${TUFU_HOST_TOOLS}/tools/icon/icons)
set(icon_pngs)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND icon_pngs ${icon_dir}/${size}x${size}/tufu.png)
endforeach()
if(NOT EXISTS ${icon_dir}/256x256/tufu.png)
  message(FATAL_ERROR "No icon pictures in ${icon_dir}: build the native build in "
                      "TUFU_HOST_TOOLS with TUFU_BUILD_UI=ON first")
endif()

set(TUFU_ICO ${CMAKE_CURRENT_BINARY_DIR}/tufu.ico)
add_custom_command(
  OUTPUT ${TUFU_ICO}
  COMMAND ${TUFU_CONVERT} ${icon_pngs} ${TUFU_ICO}
  DEPENDS ${icon_pngs}
  COMMENT "Converting the icon pictures to tufu.ico"
  VERBATIM)

set(rc ${CMAKE_CURRENT_BINARY_DIR}/tufu-cli.rc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tufu-cli.rc.in ${rc} @ONLY)
set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${TUFU_ICO})
target_sources(tufu-cli PRIVATE ${rc})
