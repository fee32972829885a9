# `make uninstall`: removes what the last `make install` from this build folder put under its
# prefix, as the copy of install_manifest.txt that it kept lists it, and nothing else:
#   cmake -DMANIFEST=build/installed_files.txt -DSHIPPED_PASSWORD_FILE=build/packaging/unins000.dll
#         -P packaging/uninstall.cmake
# The user's data stays: the per-user folder (~/.local/share/Cartavox) is never listed, the
# archives, photos, attachments and exports that a portable program folder holds were never
# installed, and the password file is left when it no longer holds the shipped password. The
# program's own folders (lib/cartavox, share/doc/cartavox) go only once nothing is left in them.
if(NOT EXISTS "${MANIFEST}")
    message(STATUS "Nothing to uninstall: no installation made from this build folder is left (${MANIFEST}).")
    return()
endif()
file(SHA256 "${SHIPPED_PASSWORD_FILE}" shipped_password)

file(STRINGS "${MANIFEST}" installed)
set(folders)
foreach(file IN LISTS installed)
    if(NOT EXISTS "${file}" AND NOT IS_SYMLINK "${file}")
        continue()
    endif()
    get_filename_component(name "${file}" NAME)
    get_filename_component(folder "${file}" DIRECTORY)
    if(name STREQUAL "unins000.dll")
        file(SHA256 "${file}" password)
        if(NOT password STREQUAL shipped_password)
            message(STATUS "Kept, it holds a password of its user's: ${file}")
            continue()
        endif()
    endif()
    file(REMOVE "${file}")
    message(STATUS "Removed: ${file}")
    list(APPEND folders "${folder}")
endforeach()

# rmdir removes a folder only when it is empty, so nothing in it can be lost.
list(REMOVE_DUPLICATES folders)
foreach(folder IN LISTS folders)
    get_filename_component(name "${folder}" NAME)
    if(NOT name STREQUAL "cartavox")
        continue()
    endif()
    execute_process(COMMAND rmdir "${folder}" RESULT_VARIABLE failed ERROR_QUIET)
    if(failed)
        message(STATUS "Kept, it holds files of its user's: ${folder}")
    else()
        message(STATUS "Removed: ${folder}")
    endif()
endforeach()
file(REMOVE "${MANIFEST}")
