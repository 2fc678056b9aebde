target_sources(runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ziptexts.h
  ${CMAKE_CURRENT_LIST_DIR}/ziptexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sfxheader.h
  ${CMAKE_CURRENT_LIST_DIR}/sfxheader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ziptool.h
  ${CMAKE_CURRENT_LIST_DIR}/ziptool.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unzdllloader.h
  ${CMAKE_CURRENT_LIST_DIR}/unzdllloader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unrarloader.h
  ${CMAKE_CURRENT_LIST_DIR}/unrarloader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rartool.h
  ${CMAKE_CURRENT_LIST_DIR}/rartool.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spanvolumes.h
  ${CMAKE_CURRENT_LIST_DIR}/spanvolumes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archivewindowhook.h
  ${CMAKE_CURRENT_LIST_DIR}/archivewindowhook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archivetexts.h
  ${CMAKE_CURRENT_LIST_DIR}/archivewindow.h
  ${CMAKE_CURRENT_LIST_DIR}/archivewindow.cpp
)
target_link_libraries(runtime PUBLIC zipformat unzdll_api unrar_api)
