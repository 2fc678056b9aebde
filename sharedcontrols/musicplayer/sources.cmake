target_sources(sharedcontrols PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/mpegplayer.h
  ${CMAKE_CURRENT_LIST_DIR}/mpegplayer.cpp
)
# The plug-in's entries are part of the player's interface.
target_link_libraries(sharedcontrols PUBLIC mpegdll_api)
