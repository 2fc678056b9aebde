target_sources(controls PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/brkapart.h
  ${CMAKE_CURRENT_LIST_DIR}/brkapart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/execfile.h
  ${CMAKE_CURRENT_LIST_DIR}/execfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filedrag.h
  ${CMAKE_CURRENT_LIST_DIR}/filedrag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fileoperation.h
  ${CMAKE_CURRENT_LIST_DIR}/fileoperation.cpp
)
