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
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "THALDEN Datalogger")
set(CPACK_GENERATOR ZIP NSIS)
# The installer script's lines below reach NSIS as written here.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_NSIS_PACKAGE_NAME "THALDEN Datalogger")
set(CPACK_NSIS_DISPLAY_NAME "THALDEN Datalogger ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/resources/windows/thalden-datalogger.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/resources/windows/thalden-datalogger.ico")
set(CPACK_NSIS_INSTALLED_ICON_NAME "thalden-datalogger.exe,0")
# The program is THALDEN's own (desktop/copyright): no licence to agree to.
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)

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

# The Start-menu link, with the program's icon named (Wine's menus and some
# shells take no icon from a link without one).
set(CPACK_NSIS_CREATE_ICONS_EXTRA "
  CreateShortCut '$SMPROGRAMS\\$STARTMENU_FOLDER\\Korvane DataLogger.lnk' '$INSTDIR\\thalden-datalogger.exe' '' '$INSTDIR\\thalden-datalogger.exe' 0")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "
  Delete '$SMPROGRAMS\\$MUI_TEMP\\Korvane DataLogger.lnk'")

# The installed-programs entry: what the template leaves out, and NoModify and
# NoRepair again as the DWORDs Windows reads (the template writes strings).
set(uninstall_key "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\THALDEN Datalogger")
# The program's name where NSIS puts its own at the bottom of each page
# (CPACK_NSIS_BRANDING_TEXT always adds /TRIM, which makensis on Linux rejects).
set(CPACK_NSIS_DEFINES "!include FileFunc.nsh\nBrandingText \"THALDEN Datalogger ${PROJECT_VERSION}\"")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  WriteRegStr SHCTX '${uninstall_key}' InstallLocation '$INSTDIR'
  WriteRegDWORD SHCTX '${uninstall_key}' NoModify 1
  WriteRegDWORD SHCTX '${uninstall_key}' NoRepair 1
  \${GetSize} '$INSTDIR' '/S=0K' $0 $1 $2
  WriteRegDWORD SHCTX '${uninstall_key}' EstimatedSize $0")

# Captures and settings are the user's: an uninstall asked on screen offers to
# remove them too, a silent one keeps them. They are the current user's even
# when the uninstaller works for all users.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  StrCpy $R8 '$SMPROGRAMS'
  SetShellVarContext current
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    'Remove your captures and settings as well?$\\n$\\nCaptures (measurement data): $APPDATA\\THALDEN\\THALDEN Datalogger$\\nSettings: HKEY_CURRENT_USER\\Software\\THALDEN\\THALDEN Datalogger$\\n$\\nChoose No to keep them for a later installation.' \
    /SD IDNO IDNO keepUserData
    RMDir /r '$APPDATA\\THALDEN\\THALDEN Datalogger'
    RMDir '$APPDATA\\THALDEN'
    DeleteRegKey HKCU 'Software\\THALDEN\\THALDEN Datalogger'
    DeleteRegKey /ifempty HKCU 'Software\\THALDEN'
  keepUserData:
  StrCmp $R8 '$SMPROGRAMS' +2
    SetShellVarContext all")
set(CPACK_NSIS_URL_INFO_ABOUT "https://www.thalden.de/datalogger")
set(CPACK_NSIS_CONTACT "datalogger@thalden.de")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
# The zip is the program folder; the installer's name says what it is.
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_BINARY_DIR}/packaging-windows-generator.cmake")
file(WRITE "${CPACK_PROJECT_CONFIG_FILE}" "
set(CPACK_PACKAGE_FILE_NAME thalden-datalogger-${PROJECT_VERSION}-win64)
if(CPACK_GENERATOR STREQUAL \"NSIS\")
    set(CPACK_PACKAGE_FILE_NAME thalden-datalogger-${PROJECT_VERSION}-win64-setup)
endif()
")

# CMake's installer script is for the 32-bit stub, which a 64-bit Windows
# without its 32-bit layer (and Debian's wine64) cannot start: the same script
# for the 64-bit Unicode stub that Debian's nsis also has.
set(nsis_template "${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in")
if(EXISTS "${nsis_template}")
    # The template starts with a UTF-8 byte order mark, which must stay first.
    file(READ "${nsis_template}" mark LIMIT 3)
    file(READ "${nsis_template}" template OFFSET 3)
    set(nsis_folder "${CMAKE_CURRENT_BINARY_DIR}/nsis")
    # The installer's own key is not the program's settings key, which a
    # per-user uninstall would otherwise delete; the empty vendor key goes too.
    set(installer_key "Software\\@CPACK_PACKAGE_VENDOR@\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@")
    string(FIND "${template}" "DeleteRegKey /ifempty SHCTX \"${installer_key}\"" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "CMake's NSIS.template.in no longer removes ${installer_key}")
    endif()
    string(REPLACE "DeleteRegKey /ifempty SHCTX \"${installer_key}\""
        "DeleteRegKey /ifempty SHCTX \"${installer_key}\"\n  DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@\""
        template "${template}")
    string(REPLACE "${installer_key}" "${installer_key} Setup" template "${template}")
    set(header "Unicode true\nTarget amd64-unicode\n")
    if(CMAKE_HOST_UNIX)
        # NSIS >= 3.08 runs these on the uninstaller before it packs it (so
        # the Uninstall.exe it writes at install time is the signed one) and
        # on the finished installer.
        string(APPEND header "!uninstfinalize '\"${sign_tool}\" --when-configured \"%1\"' = 0\n"
            "!finalize '\"${sign_tool}\" --when-configured \"%1\"' = 0\n")
    endif()
    file(WRITE "${nsis_folder}/NSIS.template.in" "${mark}${header}${template}")
    set(CPACK_MODULE_PATH "${nsis_folder}" ${CMAKE_MODULE_PATH})
else()
    message(WARNING "CMake's NSIS.template.in not found: the installer will be a 32-bit program")
endif()
include(CPack)
