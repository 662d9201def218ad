# Gives a Windows executable the product icon, the manifest and a version
# resource (file and product version, product name, company) with its own
# name and description.
function(datalogger_add_windows_resources target description)
    set(name "${target}")
    set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
    configure_file("${PROJECT_SOURCE_DIR}/resources/windows/version.rc.in" "${script}" @ONLY)
    target_sources(${target} PRIVATE "${script}")
    set_property(SOURCE "${script}" APPEND PROPERTY OBJECT_DEPENDS
        "${PROJECT_SOURCE_DIR}/resources/windows/thalden-datalogger.rc"
        "${PROJECT_SOURCE_DIR}/resources/windows/thalden-datalogger.ico"
        "${PROJECT_SOURCE_DIR}/resources/windows/thalden-datalogger.manifest")
    set_property(SOURCE "${script}" APPEND PROPERTY INCLUDE_DIRECTORIES
        "${PROJECT_SOURCE_DIR}/resources/windows")
endfunction()
