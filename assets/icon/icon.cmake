# The program icon for the Windows build: the committed BMPs (rendered from Zibolt.svg and
# Zibolt-small.svg by scripts/render-art.sh) packed into stream/Zibolt.ico beside the main
# stream, where the cross build takes it from.
set(ZIBOLT_ICON ${ZIBOLT_STREAM_DIR}/Zibolt.ico)
set(ZIBOLT_ICON_IMAGES)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND ZIBOLT_ICON_IMAGES ${CMAKE_CURRENT_LIST_DIR}/Zibolt-${size}.bmp)
endforeach()
add_custom_command(
  OUTPUT ${ZIBOLT_ICON}
  COMMAND artc ico ${ZIBOLT_ICON} ${ZIBOLT_ICON_IMAGES}
  DEPENDS artc ${ZIBOLT_ICON_IMAGES}
  COMMENT "Packing the program icon stream/Zibolt.ico"
  VERBATIM)
add_custom_target(zibolt_icon ALL DEPENDS ${ZIBOLT_ICON})
