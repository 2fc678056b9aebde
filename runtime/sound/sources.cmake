target_sources(runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/clicksounds.h
  ${CMAKE_CURRENT_LIST_DIR}/clicksounds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/backgroundmusic.h
  ${CMAKE_CURRENT_LIST_DIR}/backgroundmusic.cpp
)
target_link_libraries(runtime PUBLIC platform_audio)
