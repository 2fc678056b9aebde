target_sources(runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/coolhint.h
  ${CMAKE_CURRENT_LIST_DIR}/coolhint.cpp
)
