target_sources(quorvel_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Placeholder.cpp)
target_sources(quorvel_platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Placeholder.cpp)
target_sources(quorvel_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Placeholder.cpp)
