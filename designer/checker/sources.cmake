target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/checkermessages.h
  ${CMAKE_CURRENT_LIST_DIR}/datafilechecker.h
  ${CMAKE_CURRENT_LIST_DIR}/datafilechecker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/testrv3dialog.h
  ${CMAKE_CURRENT_LIST_DIR}/testrv3dialog.cpp
)
