# The sheet table window, part of the Qt library tufu::ui (included from
# ui/table/CMakeLists.txt when the windows are built).
target_sources(tufu_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/twips.h
  ${CMAKE_CURRENT_LIST_DIR}/sheettable.h
  ${CMAKE_CURRENT_LIST_DIR}/sheettable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/savedialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/savedialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tableoutput.h
  ${CMAKE_CURRENT_LIST_DIR}/tableoutput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheettablewindow.h
  ${CMAKE_CURRENT_LIST_DIR}/sheettablewindow.cpp)

# Opens the window on one block, or renders its table to a PNG.
add_executable(tufu-table-demo ${CMAKE_CURRENT_LIST_DIR}/demo.cpp)
target_link_libraries(tufu-table-demo PRIVATE tufu::ui)
tufu_warnings(tufu-table-demo)
