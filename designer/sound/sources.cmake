target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/soundplayers.h
  ${CMAKE_CURRENT_LIST_DIR}/soundplayers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/soundsettings.h
  ${CMAKE_CURRENT_LIST_DIR}/soundsettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/soundmessages.h
  ${CMAKE_CURRENT_LIST_DIR}/sounddialog.h
  ${CMAKE_CURRENT_LIST_DIR}/sounddialog.cpp
)
target_link_libraries(designer PUBLIC platform_audio)
