# The process-wide log, used by every other subsystem.
add_library(eb_logger STATIC ${CMAKE_CURRENT_LIST_DIR}/Logger.cpp)
target_link_libraries(eb_logger PUBLIC Threads::Threads)
