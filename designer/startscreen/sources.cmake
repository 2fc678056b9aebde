find_package(Qt6 REQUIRED COMPONENTS MultimediaWidgets)
target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/startscreenmessages.h
  ${CMAKE_CURRENT_LIST_DIR}/startscreensettings.h
  ${CMAKE_CURRENT_LIST_DIR}/startscreensettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startscreendialog.h
  ${CMAKE_CURRENT_LIST_DIR}/startscreendialog.cpp
)
# The animation preview plays what the system's media framework decodes.
target_link_libraries(designer PRIVATE Qt6::MultimediaWidgets)
