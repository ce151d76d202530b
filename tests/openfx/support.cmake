# The C++ support library, tested against an in-memory fake host. A second
# executable holds a plug-in whose factory hook throws, because the entry
# points build the factory list only once per process.
add_library(openfx_support_fake_host STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/SupportFakeHost.cpp)
target_link_libraries(openfx_support_fake_host PUBLIC openfx_headers)

add_executable(openfx_support_test
  ${CMAKE_CURRENT_SOURCE_DIR}/SupportTestPlugin.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SupportEntryPointsTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SupportExceptionTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SupportPropertySetTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SupportChoiceHintTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SupportDescriptorTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SupportInstanceTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SupportImageProcessorTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SupportInteractTest.cpp)
target_link_libraries(openfx_support_test PRIVATE openfx_support openfx_support_fake_host GTest::gtest_main)
gtest_discover_tests(openfx_support_test)

add_executable(openfx_support_throwing_factory_test
  ${CMAKE_CURRENT_SOURCE_DIR}/SupportThrowingFactoryTest.cpp)
target_link_libraries(openfx_support_throwing_factory_test PRIVATE openfx_support GTest::gtest_main)
gtest_discover_tests(openfx_support_throwing_factory_test)
