target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/outsidemessages.h
  ${CMAKE_CURRENT_LIST_DIR}/outsideprograms.h
  ${CMAKE_CURRENT_LIST_DIR}/outsideprograms.cpp
)
