# The tests, the soak, the end-to-end runs, the fuzzing run and the
# benchmarks. Each part is added only when what it needs is installed;
# scripts/test installs all of it.
enable_testing()
set(KV_HEADLESS "SDL_VIDEODRIVER=offscreen;SDL_FRAMEBUFFER_ACCELERATION=0;SDL_AUDIODRIVER=dummy")

# kv_add_test(NAME COMMAND...): a test that runs headless (offscreen video,
# dummy audio) in a home folder of its own (tests/isolated.sh), so that no
# test touches the account running it or what an earlier run left. The
# end-to-end scripts set the video driver they need themselves.
function(kv_add_test name)
  add_test(NAME ${name} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/isolated.sh ${ARGN}
           WORKING_DIRECTORY ${KV_GAME_DIR})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${KV_HEADLESS}")
endfunction()

# GoogleTest's own package first: CMake's module names the targets
# GTest::gtest only from 3.20 on.
find_package(GTest CONFIG QUIET)
if(NOT TARGET GTest::gtest)
  find_package(GTest QUIET)
endif()
if(TARGET GTest::gtest AND TARGET GTest::gtest_main)
  file(GLOB_RECURSE KV_TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
  # The data files' tests measure loudness with the generator's own meter.
  # The balance tests play careers with the career bot.
  add_executable(kvspace_tests ${KV_TEST_SOURCES} tools/mkassets/Loudness.cpp tools/careerbot/CareerBot.cpp)
  target_include_directories(kvspace_tests PRIVATE tests tools/mkassets tools/careerbot)
  # SDL itself for the tests that push SDL events (text input, pads, audio devices).
  target_link_libraries(kvspace_tests PRIVATE kvspace_core GTest::gtest GTest::gtest_main PkgConfig::SDL)
  target_compile_definitions(kvspace_tests PRIVATE
    KV_GAME_DIR="${KV_GAME_DIR}" KV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(kvspace_tests assets kvspace)
  # The unit tests run in shards (GoogleTest's own sharding), so that a
  # parallel ctest spreads them over the processors: unit_1 .. unit_N.
  set(KV_UNIT_SHARDS 8 CACHE STRING "How many parts the unit tests are run in")
  foreach(shard RANGE 1 ${KV_UNIT_SHARDS})
    math(EXPR index "${shard} - 1")
    kv_add_test(unit_${shard} $<TARGET_FILE:kvspace_tests>)
    set_property(TEST unit_${shard} APPEND PROPERTY ENVIRONMENT
      "GTEST_TOTAL_SHARDS=${KV_UNIT_SHARDS};GTEST_SHARD_INDEX=${index}")
  endforeach()
else()
  message(STATUS "GoogleTest not found: the unit tests are not built")
endif()

# A long battle with spawns, and a random player of the whole game through
# the scenario runner, linked with the leak checker (which the address
# sanitizer holds): no leaks, and memory that stays flat while they run.
add_executable(kvcombat_soak tools/soak/main.cpp)
target_link_libraries(kvcombat_soak PRIVATE kvspace_core)
add_executable(kvmonkey_soak tools/soak/monkey.cpp)
target_link_libraries(kvmonkey_soak PRIVATE kvspace_core)
set_target_properties(kvmonkey_soak PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KV_GAME_DIR})
foreach(soak kvcombat_soak kvmonkey_soak)
  if(NOT KV_SANITIZE)
    target_link_options(${soak} PRIVATE -fsanitize=leak)
  endif()
  add_dependencies(${soak} assets)
endforeach()
kv_add_test(combat_soak $<TARGET_FILE:kvcombat_soak>)
kv_add_test(monkey_soak $<TARGET_FILE:kvmonkey_soak>)
# The longest test starts first in a parallel run, even in a fresh build that
# has no timings of earlier runs yet.
set_tests_properties(monkey_soak PROPERTIES COST 1000)

find_program(KV_XVFB Xvfb)
find_program(KV_XDOTOOL xdotool)
if(KV_XVFB AND KV_XDOTOOL)
  file(GLOB KV_E2E_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
  foreach(script ${KV_E2E_SCRIPTS})
    get_filename_component(name ${script} NAME_WE)
    kv_add_test(e2e_${name} bash ${script} ${KV_GAME_DIR})
  endforeach()
else()
  message(STATUS "Xvfb or xdotool not found: the end-to-end tests are not run")
endif()

# Short fuzzing runs of the parsers, in the sanitized clang build.
add_subdirectory(fuzz)

find_package(benchmark QUIET)
if(benchmark_FOUND)
  file(GLOB KV_BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
  if(KV_BENCH_SOURCES)
    add_executable(kvspace_bench ${KV_BENCH_SOURCES} tools/careerbot/CareerBot.cpp)
    target_include_directories(kvspace_bench PRIVATE tools/careerbot)
    # The input benchmark floods SDL's own event queue.
    target_link_libraries(kvspace_bench PRIVATE kvspace_core PkgConfig::SDL benchmark::benchmark_main benchmark::benchmark)
    add_dependencies(kvspace_bench assets)
  endif()
endif()

# The desktop entry, the metainfo and the Debian package, with the tools that
# judge them.
find_program(KV_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(KV_APPSTREAMCLI appstreamcli)
find_program(KV_LINTIAN lintian)
find_program(KV_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KV_DESKTOP_FILE_VALIDATE AND KV_APPSTREAMCLI AND KV_LINTIAN AND KV_DPKG_SHLIBDEPS)
  kv_add_test(package bash ${CMAKE_SOURCE_DIR}/tests/package/check.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
else()
  message(STATUS "desktop-file-validate, appstreamcli, lintian or dpkg-dev missing: the package is not checked")
endif()

# Five minutes (two loops and more) of every module through SDL2_mixer's
# module decoder, rendered by the disk audio driver as fast as it runs: the
# songs loop without stopping, stay balanced and level with each other, keep
# a top end and never clip; their hats and bass, played alone, sit in the
# middle.
add_executable(kvmusiccheck tools/musiccheck/main.cpp tools/mkassets/Loudness.cpp)
target_include_directories(kvmusiccheck PRIVATE tools/mkassets)
target_link_libraries(kvmusiccheck PRIVATE kvspace_core)
add_dependencies(kvmusiccheck assets)
kv_add_test(music_loops $<TARGET_FILE:kvmusiccheck> 300
  res/sfx/sndtr/load.mod res/sfx/sndtr/track1.mod res/sfx/sndtr/combat.mod res/sfx/sndtr/intro.mod)
