target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/horlistbox.h
  ${CMAKE_CURRENT_LIST_DIR}/horlistbox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linkedit.h
  ${CMAKE_CURRENT_LIST_DIR}/linkedit.cpp
)
