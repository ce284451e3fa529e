# libFuzzer targets of the parsers of outside input (tests/fuzz), built with clang
# in a tree of their own (tools/fuzz.sh):
#   cmake -S . -B build/fuzz -G Ninja -DGLMX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
set(GLMX_FUZZ_TARGETS arp_cache command_line reg_info version_info window_placement)

set(GLMX_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer -g)
target_compile_options(glmx_core PRIVATE ${GLMX_FUZZ_FLAGS} -fsanitize=fuzzer-no-link)

foreach(name IN LISTS GLMX_FUZZ_TARGETS)
  add_executable(fuzz_${name} tests/fuzz/${name}_fuzz.cpp)
  target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(fuzz_${name} PRIVATE ${GLMX_FUZZ_FLAGS} -fsanitize=fuzzer -Wall -Wextra)
  target_link_options(fuzz_${name} PRIVATE ${GLMX_FUZZ_FLAGS} -fsanitize=fuzzer)
  target_link_libraries(fuzz_${name} PRIVATE glmx_core)
endforeach()
