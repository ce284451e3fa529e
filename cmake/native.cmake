# Native build: the portable core and its unit tests under AddressSanitizer and UBSan.
set(GLMX_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer)
target_compile_options(glmx_core PRIVATE ${GLMX_SANITIZERS})
target_link_options(glmx_core PUBLIC ${GLMX_SANITIZERS})

find_package(GTest REQUIRED)

add_executable(glmx_unit_tests ${GLMX_UNIT_TEST_SOURCES})
target_compile_options(glmx_unit_tests PRIVATE ${GLMX_SANITIZERS} -Wall -Wextra)
target_include_directories(glmx_unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(glmx_unit_tests PRIVATE glmx_core GTest::gtest GTest::gmock GTest::gtest_main)
gtest_discover_tests(glmx_unit_tests TEST_PREFIX "unit.")
