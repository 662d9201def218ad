# The Windows program folder, as a user gets it from the zip or the installer:
#   thalden-datalogger.exe, thalden-datalogger-cli.exe   the window, the command line
#   Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll              Qt
#   platforms\qwindows.dll                               Qt's Windows integration
#   styles\qwindowsvistastyle.dll                        the native look
#   libstdc++-6.dll, libgcc_s_seh-1.dll,
#   libwinpthread-1.dll                                  the compiler's runtime (Qt links it)
#   Translations\, Help\                                 ours, and Qt's catalogues
# Qt finds its plugins in the program's folder; nothing goes into the system.
install(TARGETS thalden-datalogger-cli RUNTIME DESTINATION .)

set(qt_prefix "${QT6_INSTALL_PREFIX}")
set(qt_dlls Core Gui Widgets)
list(TRANSFORM qt_dlls REPLACE "^(.+)$" "${qt_prefix}/${QT6_INSTALL_BINS}/Qt6\\1.dll")
install(FILES ${qt_dlls} DESTINATION .)
install(FILES "${qt_prefix}/${QT6_INSTALL_PLUGINS}/platforms/qwindows.dll" DESTINATION platforms)
install(FILES "${qt_prefix}/${QT6_INSTALL_PLUGINS}/styles/qwindowsvistastyle.dll" DESTINATION styles)

# (MSVC's runtime is installed on Windows itself.)
set(runtime_dlls)
if(MINGW)
    set(runtime_names libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
endif()
get_filename_component(compiler_folder "${CMAKE_CXX_COMPILER}" DIRECTORY)
foreach(dll IN LISTS runtime_names)
    # Debian's cross compilers keep them with their libraries; a MinGW kit on
    # Windows beside the compiler.
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        set(path "${compiler_folder}/${dll}")
    endif()
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "The compiler's ${dll} was not found (MinGW-w64 posix-thread compilers)")
    endif()
    get_filename_component(path "${path}" REALPATH)
    list(APPEND runtime_dlls "${path}")
endforeach()
install(FILES ${runtime_dlls} DESTINATION .)

# Debugging symbols make up most of the libraries' size (libstdc++ shrinks
# from 23 MB to 2 MB): the installed copies are stripped, ours and no others.
if(CMAKE_STRIP)
    set(binaries thalden-datalogger.exe thalden-datalogger-cli.exe platforms/qwindows.dll
        styles/qwindowsvistastyle.dll)
    foreach(path IN LISTS qt_dlls runtime_dlls)
        get_filename_component(name "${path}" NAME)
        list(APPEND binaries "${name}")
    endforeach()
    install(CODE "
        foreach(binary ${binaries})
            execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${CMAKE_INSTALL_PREFIX}/\${binary}\")
        endforeach()")
endif()

# Signed after stripping, which would drop the signature: with a certificate
# in the environment (DATALOGGER_SIGN_PKCS12, see tools/sign-windows), both
# executables here, and through the installer's script below the uninstaller
# and the installer. The zip and the installer take the signed executables.
set(sign_tool "${PROJECT_SOURCE_DIR}/tools/sign-windows")
if(CMAKE_HOST_UNIX)
    install(CODE "
        execute_process(COMMAND \"${sign_tool}\" --when-configured
            \"\${CMAKE_INSTALL_PREFIX}/thalden-datalogger.exe\"
            \"\${CMAKE_INSTALL_PREFIX}/thalden-datalogger-cli.exe\" RESULT_VARIABLE signed)
        if(NOT signed EQUAL 0)
            message(FATAL_ERROR \"Signing failed\")
        endif()")
endif()

# The zip and the 64-bit installer (NSIS, from Debian's nsis package).
set(CPACK_PACKAGE_NAME thalden-datalogger)
set(CPACK_PACKAGE_VENDOR THALDEN)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Korvane DataLogger: copies the stored results of a PV tester to the PC")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "THALDEN Datalogger")
set(CPACK_GENERATOR ZIP NSIS)
# The values below reach the installer's script as written here.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/resources/windows/thalden-datalogger.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/resources/windows/thalden-datalogger.ico")

# The header and side pictures, drawn from the brand artwork when building.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(installer_images "${CMAKE_CURRENT_BINARY_DIR}/installer-images")
add_custom_command(OUTPUT "${installer_images}/header.bmp" "${installer_images}/welcome.bmp"
    COMMAND Python3::Interpreter "${PROJECT_SOURCE_DIR}/tools/make_brand_images.py"
        --installer-images "${installer_images}"
    DEPENDS "${PROJECT_SOURCE_DIR}/tools/make_brand_images.py"
    COMMENT "Drawing the installer's pictures")
add_custom_target(installer_images ALL DEPENDS "${installer_images}/header.bmp" "${installer_images}/welcome.bmp")
set(CPACK_NSIS_MUI_HEADERIMAGE "${installer_images}/header.bmp")
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP "${installer_images}/welcome.bmp")
set(CPACK_NSIS_MUI_UNWELCOMEFINISHPAGE_BITMAP "${installer_images}/welcome.bmp")

set(CPACK_NSIS_URL_INFO_ABOUT "https://www.thalden.de/datalogger")
set(CPACK_NSIS_CONTACT "datalogger@thalden.de")
# The zip is the program folder; the installer's name says what it is.
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_BINARY_DIR}/packaging-windows-generator.cmake")
file(WRITE "${CPACK_PROJECT_CONFIG_FILE}" "
set(CPACK_PACKAGE_FILE_NAME thalden-datalogger-${PROJECT_VERSION}-win64)
if(CPACK_GENERATOR STREQUAL \"NSIS\")
    set(CPACK_PACKAGE_FILE_NAME thalden-datalogger-${PROJECT_VERSION}-win64-setup)
endif()
")

# The installer's script is our own (CMake's is for the 32-bit stub, which a
# 64-bit Windows without its 32-bit layer and Debian's wine64 cannot start,
# and speaks English only): desktop/windows-installer/, with the texts in the
# program's languages.
set(CPACK_MODULE_PATH "${PROJECT_SOURCE_DIR}/desktop/windows-installer" ${CMAKE_MODULE_PATH})
set(CPACK_DATALOGGER_NSIS_FOLDER "${PROJECT_SOURCE_DIR}/desktop/windows-installer")
set(CPACK_DATALOGGER_INSTANCE_MUTEX "${DATALOGGER_INSTANCE_MUTEX}")
set(CPACK_DATALOGGER_COPYRIGHT "${DATALOGGER_COPYRIGHT}")
set(CPACK_DATALOGGER_NSIS_FINALIZE "")
if(CMAKE_HOST_UNIX)
    # NSIS >= 3.08 runs these on the uninstaller before it packs it (so the
    # Uninstall.exe it writes at install time is the signed one) and on the
    # finished installer, which tools/sign-windows signs only when told so.
    set(CPACK_DATALOGGER_NSIS_FINALIZE
        "!uninstfinalize '\"${sign_tool}\" --when-configured \"%1\"' = 0\n!finalize '\"${sign_tool}\" --when-configured --nsis-finalize \"%1\"' = 0")
endif()
include(CPack)
