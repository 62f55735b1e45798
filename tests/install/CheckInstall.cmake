# Installs the build into a fresh prefix, as a user would, and checks that
# everything a desktop needs is there and that the installed tool runs.
#   cmake -DBUILD=<build folder> -DPREFIX=<empty folder> -P CheckInstall.cmake
foreach(var BUILD PREFIX)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${PREFIX})
# An install rewrites the build's install_manifest.txt, which the user's own
# uninstall reads: keep theirs.
set(manifest ${BUILD}/install_manifest.txt)
if(EXISTS ${manifest})
  file(READ ${manifest} kept_manifest)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(DEFINED kept_manifest)
  file(WRITE ${manifest} "${kept_manifest}")
else()
  file(REMOVE ${manifest})
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}")
endif()

set(expected
  bin/velloran
  bin/velloran-mode
  share/velloran/fonts/VelloranTengwar.ttf
  share/velloran/fonts/OFL.txt
  share/velloran/fonts/FONTLOG.txt
  share/applications/velloran.desktop
  share/mime/packages/velloran.xml
  share/icons/hicolor/scalable/apps/velloran.svg
  share/doc/velloran/copyright
  share/man/man1/velloran.1.gz
  share/man/man1/velloran-mode.1.gz)
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/velloran.png)
endforeach()
foreach(file IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${file})
    message(SEND_ERROR "missing after install: ${file}")
  endif()
endforeach()
foreach(program velloran velloran-mode)
  execute_process(COMMAND test -x ${PREFIX}/bin/${program} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(SEND_ERROR "not executable: bin/${program}")
  endif()
endforeach()

# The desktop entry starts the installed program with the file it is given.
file(READ ${PREFIX}/share/applications/velloran.desktop entry)
foreach(line "Exec=velloran %f" "Icon=velloran" "MimeType=application/x-velloran-mode;")
  string(FIND "${entry}" "${line}" at)
  if(at LESS 0)
    message(SEND_ERROR "the desktop entry lacks \"${line}\"")
  endif()
endforeach()

# The installed tool runs from the prefix, away from the build.
execute_process(COMMAND ${PREFIX}/bin/velloran-mode --help WORKING_DIRECTORY ${PREFIX}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "velloran-mode")
  message(SEND_ERROR "installed velloran-mode --help failed (${rc}):\n${out}${err}")
endif()

# The desktop's own checkers, where installed.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${PREFIX}/share/applications/velloran.desktop
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    message(SEND_ERROR "desktop-file-validate:\n${out}")
  endif()
endif()
find_program(UPDATE_MIME_DATABASE update-mime-database)
if(UPDATE_MIME_DATABASE)
  set(mime ${PREFIX}/mime-check/mime)
  file(COPY ${PREFIX}/share/mime/packages/velloran.xml DESTINATION ${mime}/packages)
  execute_process(COMMAND ${UPDATE_MIME_DATABASE} ${mime}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT EXISTS ${mime}/application/x-velloran-mode.xml OR out MATCHES "[Ee]rror|[Ww]arning")
    message(SEND_ERROR "update-mime-database:\n${out}")
  endif()
  file(REMOVE_RECURSE ${PREFIX}/mime-check)
endif()
find_program(XMLLINT xmllint)
if(XMLLINT)
  execute_process(COMMAND ${XMLLINT} --noout ${PREFIX}/share/mime/packages/velloran.xml
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(SEND_ERROR "xmllint:\n${out}")
  endif()
endif()
