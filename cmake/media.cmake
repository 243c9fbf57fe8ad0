# Builds media/ in the run directory from the sources in the repository.
set(PYTHON /usr/bin/python3)  # Debian's Python, which sees python3-pil and numpy

file(GLOB MEDIA_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/media/*.py ${CMAKE_SOURCE_DIR}/tools/media/*.txt)
set(MEDIA_STAMP ${CMAKE_BINARY_DIR}/media.stamp)
add_custom_command(
  OUTPUT ${MEDIA_STAMP}
  COMMAND ${PYTHON} ${CMAKE_SOURCE_DIR}/tools/media/build_media.py ${MEDIA_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${MEDIA_STAMP}
  DEPENDS ${MEDIA_TOOL_SOURCES}
  COMMENT "Making pictures, sounds and texts"
  VERBATIM)

# Fonts: Liberation Sans under the names the game loads.
set(LIBERATION_DIR /usr/share/fonts/truetype/liberation2)
add_custom_command(
  OUTPUT ${MEDIA_DIR}/arial.ttf ${MEDIA_DIR}/arialbd.ttf ${MEDIA_DIR}/FONTS-LICENSE
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MEDIA_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${LIBERATION_DIR}/LiberationSans-Regular.ttf ${MEDIA_DIR}/arial.ttf
  COMMAND ${CMAKE_COMMAND} -E copy ${LIBERATION_DIR}/LiberationSans-Bold.ttf ${MEDIA_DIR}/arialbd.ttf
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/fonts-liberation2/copyright ${MEDIA_DIR}/FONTS-LICENSE
  COMMENT "Copying fonts")

# Levels: the level sources encoded into the stored level file.
file(GLOB LEVEL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/levels/*.txt)
# A pristine copy stays beside the run directory for tests; the run
# directory's copy is the player's, rewritten by every save.
set(PRISTINE_LEVELS ${CMAKE_BINARY_DIR}/pristine/data.txt)
add_custom_command(
  OUTPUT ${PRISTINE_LEVELS} ${MEDIA_DIR}/data.txt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MEDIA_DIR} ${CMAKE_BINARY_DIR}/pristine
  COMMAND levels build ${CMAKE_SOURCE_DIR}/levels ${PRISTINE_LEVELS}
  COMMAND ${CMAKE_COMMAND} -E copy ${PRISTINE_LEVELS} ${MEDIA_DIR}/data.txt
  DEPENDS levels ${LEVEL_SOURCES}
  COMMENT "Encoding the levels")

add_custom_target(media ALL DEPENDS ${MEDIA_STAMP} ${MEDIA_DIR}/arial.ttf ${PRISTINE_LEVELS})
