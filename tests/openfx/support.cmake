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

# A plug-in binary built on the library and loaded by the project's host.
if(TARGET ofx_host)
  add_library(openfx_support_probe MODULE ${CMAKE_CURRENT_SOURCE_DIR}/SupportProbePlugin.cpp)
  target_link_libraries(openfx_support_probe PRIVATE openfx_support)
  set_target_properties(openfx_support_probe PROPERTIES
    PREFIX "" SUFFIX ".ofx" OUTPUT_NAME support_probe
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/support_probe.ofx.bundle/Contents/Linux-x86-64")

  add_executable(openfx_support_host_test ${CMAKE_CURRENT_SOURCE_DIR}/SupportHostTest.cpp)
  target_link_libraries(openfx_support_host_test PRIVATE ofx_host GTest::gtest_main)
  target_compile_definitions(openfx_support_host_test PRIVATE
    SUPPORT_PROBE_BUNDLE="${CMAKE_CURRENT_BINARY_DIR}/support_probe.ofx.bundle")
  add_dependencies(openfx_support_host_test openfx_support_probe)
  gtest_discover_tests(openfx_support_host_test)
endif()
