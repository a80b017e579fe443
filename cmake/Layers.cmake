# The folders of src/ are the program's layers, and each layer is a static
# library. A layer's library compiles against a view of src/ that holds only
# its own folders (links in build/layers/<layer>/), and sees the folders of
# the layers below through the libraries it links. An include that points up
# or sideways names a folder the compiler cannot find, so it fails to build.
#
# kv_layer(NAME FOLDERS folder... [BELOW library...])
function(kv_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "FOLDERS;BELOW")
  set(view ${CMAKE_BINARY_DIR}/layers/${name})
  file(REMOVE_RECURSE ${view})
  file(MAKE_DIRECTORY ${view})
  set(sources "")
  foreach(folder IN LISTS LAYER_FOLDERS)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${view}/${folder} SYMBOLIC)
    file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
    list(APPEND sources ${folder_sources})
  endforeach()
  add_library(kv_${name} STATIC ${sources})
  target_include_directories(kv_${name} PUBLIC ${view})
  target_link_libraries(kv_${name} PUBLIC ${LAYER_BELOW})
endfunction()

# Lowest first.
kv_layer(base FOLDERS base)
kv_layer(platform FOLDERS platform BELOW kv_base)
kv_layer(graphics FOLDERS graphics BELOW kv_platform)
kv_layer(sound FOLDERS sound BELOW kv_platform)
kv_layer(universe FOLDERS universe BELOW kv_platform)
kv_layer(widgets FOLDERS widgets BELOW kv_platform kv_sound)
kv_layer(console FOLDERS console BELOW kv_widgets)
kv_layer(combat FOLDERS combat BELOW kv_graphics kv_sound kv_universe)
kv_layer(game FOLDERS game BELOW kv_console kv_combat)
kv_layer(navigation FOLDERS navigation BELOW kv_game)
kv_layer(hud FOLDERS hud BELOW kv_navigation)
kv_layer(shell FOLDERS shell BELOW kv_hud)

target_link_libraries(kv_platform PRIVATE PkgConfig::SDL PkgConfig::FONTCONFIG)
target_link_libraries(kv_platform INTERFACE ${SDL_LINK_LIBRARIES} ${FONTCONFIG_LINK_LIBRARIES})

# Everything but the entry point, as the game, the tests, the scenario
# runner and the benchmarks link it.
add_library(kvspace_core INTERFACE)
target_link_libraries(kvspace_core INTERFACE kv_shell)
