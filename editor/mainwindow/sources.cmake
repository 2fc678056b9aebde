target_sources(editor PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/editormessages.h
  ${CMAKE_CURRENT_LIST_DIR}/editordocument.h
  ${CMAKE_CURRENT_LIST_DIR}/editordocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zazavaconfig.h
  ${CMAKE_CURRENT_LIST_DIR}/zazavaconfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/datmain.h
  ${CMAKE_CURRENT_LIST_DIR}/datmain.cpp
)
