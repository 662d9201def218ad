# The help page for one platform, from the page that describes both: the
# parts marked for the other platform (<section class="linux"> ... </section>,
# <span class="windows"> ... </span>) are left out, so that Windows users
# read nothing of dialout or udev and Linux users nothing of Device Manager.
# A marked part ends at the first closing tag of its kind: it holds no
# element of that kind itself, and a page that breaks this stops the build
# rather than losing the rest of the page.
#
# Script mode: cmake -DSOURCE=page.html -DDESTINATION=out.html -DPLATFORM=windows|linux -P platformpage.cmake

cmake_minimum_required(VERSION 3.21)

function(datalogger_platform_page source destination platform)
    if(platform STREQUAL "windows")
        set(other "linux")
    elseif(platform STREQUAL "linux")
        set(other "windows")
    else()
        message(FATAL_ERROR "No help pages for the platform \"${platform}\"")
    endif()
    file(READ "${source}" text)
    foreach(tag IN ITEMS section span)
        set(open "<${tag} class=\"${other}\">")
        set(close "</${tag}>")
        string(LENGTH "${open}" open_length)
        string(LENGTH "${close}" close_length)
        while(TRUE)
            string(FIND "${text}" "${open}" start)
            if(start EQUAL -1)
                break()
            endif()
            string(SUBSTRING "${text}" 0 ${start} before)
            math(EXPR inner_start "${start} + ${open_length}")
            string(SUBSTRING "${text}" ${inner_start} -1 rest)
            string(FIND "${rest}" "${close}" end)
            if(end EQUAL -1)
                message(FATAL_ERROR "${source}: ${open} is not closed")
            endif()
            string(SUBSTRING "${rest}" 0 ${end} inner)
            string(FIND "${inner}" "<${tag}" nested)
            if(NOT nested EQUAL -1)
                message(FATAL_ERROR "${source}: ${open} holds a <${tag}> of its own")
            endif()
            math(EXPR after "${end} + ${close_length}")
            string(SUBSTRING "${rest}" ${after} -1 rest)
            # A section takes its own line with it.
            if(tag STREQUAL "section" AND rest MATCHES "^\n")
                string(SUBSTRING "${rest}" 1 -1 rest)
            endif()
            set(text "${before}${rest}")
        endwhile()
    endforeach()
    # A marker written otherwise (split across lines, another element) would
    # let the other platform's text through.
    if(text MATCHES "class=\"${other}\"")
        message(FATAL_ERROR "${source}: a part for ${other} is marked other than as <section> or <span>")
    endif()
    file(WRITE "${destination}" "${text}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE AND DEFINED SOURCE)
    datalogger_platform_page("${SOURCE}" "${DESTINATION}" "${PLATFORM}")
endif()
