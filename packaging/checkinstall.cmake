# Installs the build into a scratch prefix and checks that every file is where it belongs.
# cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -DWITH_PNG=0|1 -P checkinstall.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/zorvexpro
    bin/zorvexpro-cli
    bin/zorvexpro-devsim
    libexec/zorvexpro/zorvexpro-rfcomm
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/scalable/apps/${APP_ID}.svg)
if(WITH_PNG)
    foreach(size 16 22 24 32 48 64 128 256)
        list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
    endforeach()
endif()
foreach(path IN LISTS expected)
    if(NOT EXISTS ${PREFIX}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

# The RFCOMM helper: owner and group only, and the two commands a manual install needs.
set(helper ${PREFIX}/libexec/zorvexpro/zorvexpro-rfcomm)
execute_process(COMMAND stat -c %a ${helper} OUTPUT_VARIABLE mode OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT mode STREQUAL "750")
    message(FATAL_ERROR "${helper} has mode ${mode}, not 750")
endif()
foreach(command "sudo chgrp dialout ${helper} && sudo chmod 0750 ${helper}"
                "sudo setcap cap_net_admin+ep ${helper}")
    string(FIND "${output}" "${command}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "cmake --install does not print \"${command}\":\n${output}")
    endif()
endforeach()
message(STATUS "installed as expected under ${PREFIX}")
