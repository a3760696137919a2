# Windows resources (included by the top-level CMakeLists.txt on Windows):
#
#   tufu_windows_resources(target FILE tufu-cli.exe DESCRIPTION "..." [ICON])
#
# embeds a version resource in `target` and, with ICON, the program's icon,
# converted with ImageMagick from the icon pictures that a native build draws
# (tools/icon, TUFU_BUILD_UI=ON, in TUFU_HOST_TOOLS).
enable_language(RC)

function(tufu_windows_resources target)
  cmake_parse_arguments(R "ICON" "FILE;DESCRIPTION" "" ${ARGN})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(TUFU_RC_FILETYPE VFT_APP)
  else()
    set(TUFU_RC_FILETYPE VFT_DLL)
  endif()
  set(TUFU_RC_FILE ${R_FILE})
  set(TUFU_RC_DESCRIPTION ${R_DESCRIPTION})
  get_filename_component(TUFU_RC_INTERNAL ${R_FILE} NAME_WE)
  set(TUFU_RC_ICON "")
  set(depends "")
  if(R_ICON)
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
    set(ico ${CMAKE_CURRENT_BINARY_DIR}/${TUFU_RC_INTERNAL}.ico)
    add_custom_command(
      OUTPUT ${ico}
      COMMAND ${TUFU_CONVERT} ${icon_pngs} ${ico}
      DEPENDS ${icon_pngs}
      COMMENT "Converting the icon pictures to ${TUFU_RC_INTERNAL}.ico"
      VERBATIM)
    set(TUFU_RC_ICON "1 ICON \"${ico}\"")
    set(depends ${ico})
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${TUFU_RC_INTERNAL}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/windows/version.rc.in ${rc} @ONLY)
  if(depends)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${depends})
  endif()
  target_sources(${target} PRIVATE ${rc})
endfunction()
