target_sources(runtime PRIVATE ${CMAKE_CURRENT_LIST_DIR}/runtimetexts.h)
