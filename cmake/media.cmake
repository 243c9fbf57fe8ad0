# Builds media/ in the run directory from the sources in the repository.
set(PYTHON /usr/bin/python3)  # Debian's Python, which sees python3-pil and numpy

# The generators and their sources; the contact sheet is a review tool and
# does not feed the game's files.
file(GLOB MEDIA_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/media/*.py ${CMAKE_SOURCE_DIR}/tools/media/*.txt)
list(FILTER MEDIA_TOOL_SOURCES EXCLUDE REGEX "contact_sheet\\.py$")
set(MEDIA_FILES
  ${MEDIA_DIR}/graf1.png ${MEDIA_DIR}/gs.png ${MEDIA_DIR}/ge.png ${MEDIA_DIR}/promienie.png ${MEDIA_DIR}/pijak.jpg
  ${MEDIA_DIR}/teksty_100.txt "${MEDIA_DIR}/samp/Jeszcze po kropelce.ogg")
foreach(n 0 1 2 3 4 5 6 7 8 9 11 12 13)
  list(APPEND MEDIA_FILES ${MEDIA_DIR}/samp/s${n}.wav)
endforeach()
set(MEDIA_STAMP ${CMAKE_BINARY_DIR}/media.stamp)
add_custom_command(
  OUTPUT ${MEDIA_STAMP} ${MEDIA_FILES}
  COMMAND ${PYTHON} ${CMAKE_SOURCE_DIR}/tools/media/build_media.py ${MEDIA_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${MEDIA_STAMP}
  DEPENDS ${MEDIA_TOOL_SOURCES}
  COMMENT "Making pictures, sounds and texts"
  VERBATIM)

# Every tile, thing, pose and interface picture on one labelled page, for
# review: cmake --build build --target contact_sheet
add_custom_target(contact_sheet
  COMMAND ${PYTHON} ${CMAKE_SOURCE_DIR}/tools/media/contact_sheet.py ${MEDIA_DIR} ${CMAKE_BINARY_DIR}/contact_sheet.png
  DEPENDS ${MEDIA_STAMP}
  COMMENT "Drawing the contact sheet to ${CMAKE_BINARY_DIR}/contact_sheet.png"
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
