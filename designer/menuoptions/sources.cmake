target_sources(designer PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/menuoptionsmessages.h
  ${CMAKE_CURRENT_LIST_DIR}/menuoptions.h
  ${CMAKE_CURRENT_LIST_DIR}/menuoptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menuoptionsdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/menuoptionsdialog.cpp
)
