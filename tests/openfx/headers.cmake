# The C API headers: record layouts, suite function order and published string values,
# checked from C++ (GoogleTest) and from a C translation unit (the headers must stay valid C).
add_library(openfx_headers_c_check OBJECT ${CMAKE_CURRENT_SOURCE_DIR}/headers_c_check.c)
target_link_libraries(openfx_headers_c_check PRIVATE openfx_headers)
set_target_properties(openfx_headers_c_check PROPERTIES C_STANDARD 99 C_STANDARD_REQUIRED ON)

add_executable(openfx_headers_test ${CMAKE_CURRENT_SOURCE_DIR}/headers_test.cpp
                                   $<TARGET_OBJECTS:openfx_headers_c_check>)
target_link_libraries(openfx_headers_test PRIVATE openfx_headers GTest::gtest_main)
gtest_discover_tests(openfx_headers_test)
