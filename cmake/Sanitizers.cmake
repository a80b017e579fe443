# A build with AddressSanitizer and UndefinedBehaviorSanitizer, for tests
# only: cmake -DKV_SANITIZE=ON. scripts/test makes one with clang in
# build-sanitized/, where the fuzzing targets are built as well: with clang
# every object also carries libFuzzer's coverage hooks, so the targets can
# link the game's own library.
option(KV_SANITIZE "Build with the address and undefined-behaviour sanitizers" OFF)
if(KV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # Line tables are all a sanitizer's report needs to name file and line,
    # at a fraction of the cost of full debug information.
    add_compile_options(-fsanitize=fuzzer-no-link -gline-tables-only)
  endif()
endif()
