# The scene files: each assets/scenes/<Name>.json is built by vcs into the data folder as
# <Name>.vcs, where the show reads every scene file it finds. Included by assets/CMakeLists.txt,
# whose zibolt_data target depends on the files (custom outputs belong to one directory).
file(GLOB ZIBOLT_SCENE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/scenes/*.json)
# A scene embeds scene art and some of the main stream's (the hero's seated frames, the cabin).
file(GLOB_RECURSE ZIBOLT_SCENE_IMAGES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/art/bmp/*.bmp)
set(ZIBOLT_SCENE_FILES)
foreach(source ${ZIBOLT_SCENE_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  set(scene ${ZIBOLT_DATA_DIR}/${name}.vcs)
  add_custom_command(
    OUTPUT ${scene}
    COMMAND vcs build ${source} -o ${scene}
    DEPENDS vcs ${source} ${ZIBOLT_SCENE_IMAGES}
    COMMENT "Building the scene file ${name}.vcs"
    VERBATIM)
  list(APPEND ZIBOLT_SCENE_FILES ${scene})
endforeach()
install(FILES ${ZIBOLT_SCENE_FILES} DESTINATION share/zibolt)
