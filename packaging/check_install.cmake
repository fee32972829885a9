# The installation tried in scratch prefixes, as `make install` and `make uninstall` do it: every
# file in its place, the menu entry and the metadata valid; installing again keeps the password a
# user set; uninstalling removes exactly what was installed and leaves the user's files.
#   cmake -DINSTALL_SCRIPT=build/packaging/cmake_install.cmake -DUNINSTALL_SCRIPT=uninstall.cmake
#         -DSHIPPED_PASSWORD_FILE=... -DWORK=scratch -DAPP_ID=... -DDESKTOP_FILE_VALIDATE=...
#         -DAPPSTREAMCLI=... -P check_install.cmake
foreach(tool DESKTOP_FILE_VALIDATE APPSTREAMCLI)
    if(NOT ${tool})
        message(FATAL_ERROR "${tool} not found: apt-get install desktop-file-utils appstream")
    endif()
endforeach()

# Installs into `prefix` and writes the list of what was installed to `manifest`.
function(install_into prefix manifest)
    set(CMAKE_INSTALL_PREFIX "${prefix}")
    set(CMAKE_INSTALL_MANIFEST_FILES)
    include("${INSTALL_SCRIPT}")
    list(JOIN CMAKE_INSTALL_MANIFEST_FILES "\n" listed)
    file(WRITE "${manifest}" "${listed}\n")
endfunction()

function(uninstall manifest)
    execute_process(COMMAND ${CMAKE_COMMAND} -DMANIFEST=${manifest} -DSHIPPED_PASSWORD_FILE=${SHIPPED_PASSWORD_FILE}
                            -P ${UNINSTALL_SCRIPT}
                    RESULT_VARIABLE failed)
    if(failed)
        message(SEND_ERROR "uninstalling failed")
    endif()
endfunction()

# The files under `prefix`, relative to it, sorted; in `out`.
function(files_under prefix out)
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${prefix}" "${prefix}/*")
    list(SORT found)
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

function(expect_same what actual expected)
    if(NOT actual STREQUAL expected)
        message(SEND_ERROR "${what}:\n  found    ${actual}\n  expected ${expected}")
    endif()
endfunction()

# Width and height of a PNG, from its header.
function(png_size file out)
    file(READ "${file}" header OFFSET 16 LIMIT 8 HEX)
    string(SUBSTRING "${header}" 0 8 width)
    string(SUBSTRING "${header}" 8 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    set(${out} "${width}x${height}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
set(installed
    bin/cartavox
    lib/cartavox/Cartavox
    lib/cartavox/Guida.pdf
    lib/cartavox/unins000.dll
    share/applications/${APP_ID}.desktop
    share/doc/cartavox/changelog.Debian.gz
    share/doc/cartavox/copyright
    share/icons/hicolor/128x128/apps/cartavox.png
    share/icons/hicolor/256x256/apps/cartavox.png
    share/icons/hicolor/48x48/apps/cartavox.png
    share/icons/hicolor/scalable/apps/cartavox.svg
    share/man/man1/cartavox.1.gz
    share/metainfo/${APP_ID}.metainfo.xml)

# A fresh installation: all of it, nothing more, and all of it listed for uninstalling.
set(prefix "${WORK}/nuovo")
install_into("${prefix}" "${WORK}/nuovo.txt")
files_under("${prefix}" found)
expect_same("installed files" "${found}" "${installed}")
file(STRINGS "${WORK}/nuovo.txt" listed)
list(TRANSFORM listed REPLACE "^${prefix}/" "")
list(SORT listed)
expect_same("files listed for uninstalling" "${listed}" "${installed}")

file(REAL_PATH "${prefix}/bin/cartavox" launched)
expect_same("program the launcher starts" "${launched}" "${prefix}/lib/cartavox/Cartavox")
foreach(size 48 128 256)
    png_size("${prefix}/share/icons/hicolor/${size}x${size}/apps/cartavox.png" drawn)
    expect_same("icon of ${size}" "${drawn}" "${size}x${size}")
endforeach()
file(READ "${prefix}/lib/cartavox/unins000.dll" password)
file(READ "${SHIPPED_PASSWORD_FILE}" shipped)
expect_same("password file" "${password}" "${shipped}")
file(STRINGS "${prefix}/share/applications/${APP_ID}.desktop" exec REGEX "^Exec=")
expect_same("menu entry's command" "${exec}" "Exec=${prefix}/bin/cartavox")

execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} "${prefix}/share/applications/${APP_ID}.desktop"
                RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(failed OR said)
    message(SEND_ERROR "desktop-file-validate: ${said}")
endif()
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net "${prefix}/share/metainfo/${APP_ID}.metainfo.xml"
                RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(failed)
    message(SEND_ERROR "appstreamcli validate: ${said}")
endif()

# Nothing left of a fresh installation, its own folders included.
uninstall("${WORK}/nuovo.txt")
files_under("${prefix}" found)
expect_same("files left" "${found}" "")
foreach(folder lib/cartavox share/doc/cartavox)
    if(EXISTS "${prefix}/${folder}")
        message(SEND_ERROR "${folder} is left")
    endif()
endforeach()
if(EXISTS "${WORK}/nuovo.txt")
    message(SEND_ERROR "the list of installed files is left")
endif()

# An installation the user worked with: writable, so the program folder holds an archive, a
# photo and a changed password; another program has its own menu entry beside ours. Installing
# again keeps the password; uninstalling leaves all of the user's and the other program's.
set(prefix "${WORK}/usato")
install_into("${prefix}" "${WORK}/usato.txt")
file(WRITE "${prefix}/lib/cartavox/Casa.lib" "schede")
file(WRITE "${prefix}/lib/cartavox/Catalogo_Libri/Casa_Foto_1.jpg" "foto")
file(WRITE "${prefix}/lib/cartavox/unins000.dll" "[Accesso]\nValore=00\n")
file(WRITE "${prefix}/share/applications/altro.desktop" "altro")
install_into("${prefix}" "${WORK}/usato.txt")
file(READ "${prefix}/lib/cartavox/unins000.dll" password)
expect_same("password file installed over" "${password}" "[Accesso]\nValore=00\n")
uninstall("${WORK}/usato.txt")
files_under("${prefix}" found)
expect_same("files left" "${found}"
    "lib/cartavox/Casa.lib;lib/cartavox/Catalogo_Libri/Casa_Foto_1.jpg;lib/cartavox/unins000.dll;share/applications/altro.desktop")
