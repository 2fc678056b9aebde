# The screenshot viewer decodes JPEG pictures through libjpeg.
find_package(JPEG REQUIRED)
target_link_libraries(runtime PRIVATE JPEG::JPEG)
target_sources(runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dialogtexts.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogstyle.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogstyle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpegreader.h
  ${CMAKE_CURRENT_LIST_DIR}/jpegreader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screenshotviewer.h
  ${CMAKE_CURRENT_LIST_DIR}/screenshotviewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/infowindow.h
  ${CMAKE_CURRENT_LIST_DIR}/infowindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/copydialog.h
  ${CMAKE_CURRENT_LIST_DIR}/copydialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/optionsdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/optionsdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/searchdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/searchdialog.cpp
)
