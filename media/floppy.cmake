# The 1.44 MB diskette images of both media (build/media/production.img, simulation.img),
# made from the medium folders. mcopy fails the build when the files do not fit.
find_program(VELMORA_MFORMAT mformat)
find_program(VELMORA_MCOPY mcopy)
if(NOT VELMORA_MFORMAT OR NOT VELMORA_MCOPY)
  message(WARNING "mtools not found: no diskette images (scripts/install-packages.sh installs them)")
  return()
endif()

set(floppy_images "")
foreach(medium production simulation)
  # The programs by target name: the image follows every rebuild of them, while the media
  # target (below) makes the folder copies first.
  set(files SETUP.EXE)
  set(sources setup_${medium})
  foreach(program ${VELMORA_COMPANION_PROGRAMS})
    string(TOUPPER ${program} file)
    list(APPEND files ${file}.EXE)
    list(APPEND sources ${program}_${medium})
  endforeach()
  if(medium STREQUAL simulation)
    list(APPEND files ${VELMORA_DRIVER_FILE})
    list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/${VELMORA_DRIVER_FILE}.stand-in)
  endif()
  set(image ${VELMORA_MEDIA}/${medium}.img)
  add_custom_command(OUTPUT ${image}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${image}
    COMMAND ${VELMORA_MFORMAT} -C -f 1440 -v VELMORA -i ${image} ::
    COMMAND ${VELMORA_MCOPY} -i ${image} ${files} ::
    WORKING_DIRECTORY ${VELMORA_MEDIA}/${medium}
    DEPENDS ${sources}
    COMMENT "Diskette image ${medium}.img"
    VERBATIM)
  list(APPEND floppy_images ${image})
endforeach()

add_custom_target(floppy ALL DEPENDS ${floppy_images})
add_dependencies(floppy media)
