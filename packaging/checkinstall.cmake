# Installs the build into a scratch prefix and checks that every file is where it belongs.
# cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -DICON_SIZES=16;22;... -DLICENSE=...
#       -DDEBIAN_VERSION=... -DSYSTEMD_ANALYZE=... -P checkinstall.cmake
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
    share/icons/hicolor/scalable/apps/${APP_ID}.svg
    share/doc/zorvexpro/copyright
    share/doc/zorvexpro/changelog.Debian.gz
    share/lintian/overrides/zorvexpro
    lib/systemd/user/zorvexpro-mqtt@.service
    share/doc/zorvexpro/examples/mqtt.conf)
foreach(size IN LISTS ICON_SIZES)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
set(man_pages man1/zorvexpro.1.gz man1/zorvexpro-cli.1.gz man1/zorvexpro-devsim.1.gz man8/zorvexpro-rfcomm.8.gz)
foreach(page IN LISTS man_pages)
    list(APPEND expected share/man/${page})
endforeach()
foreach(path IN LISTS expected)
    if(NOT EXISTS ${PREFIX}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

# Every manual page renders without a warning and names its program.
foreach(page IN LISTS man_pages)
    get_filename_component(name ${page} NAME)
    string(REGEX REPLACE "\\.[18]\\.gz$" "" program ${name})
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C MANWIDTH=80 man --warnings -l ${PREFIX}/share/man/${page}
                    RESULT_VARIABLE result OUTPUT_VARIABLE text ERROR_VARIABLE warnings)
    if(NOT result EQUAL 0 OR NOT warnings STREQUAL "" OR NOT text MATCHES "NAME\n +${program} +- ")
        message(FATAL_ERROR "man -l ${page}: exit ${result}, warnings:\n${warnings}\n${text}")
    endif()
endforeach()

# The copyright file: machine-readable, the licence the metainfo states, Natural Earth's map.
file(READ ${PREFIX}/share/doc/zorvexpro/copyright copyright)
file(READ ${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml metainfo)
foreach(part "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
             "\nFiles: \\*\nCopyright: [0-9]+ ZORVEXPRO\nLicense: ${LICENSE}\n"
             "\nLicense: ${LICENSE}\n No licence has been chosen yet; all rights reserved\\.\n"
             "\nFiles: astro/resources/worldmap.png\n[^\n]*Natural Earth[^\n]*\nLicense: public-domain\n")
    if(NOT copyright MATCHES "${part}")
        message(FATAL_ERROR "the copyright file lacks ${part}:\n${copyright}")
    endif()
endforeach()
if(NOT metainfo MATCHES "<project_license>${LICENSE}</project_license>")
    message(FATAL_ERROR "the metainfo does not state the licence ${LICENSE}")
endif()
# The changelog: compressed and of this version.
execute_process(COMMAND gzip -dc ${PREFIX}/share/doc/zorvexpro/changelog.Debian.gz OUTPUT_VARIABLE changelog)
if(NOT changelog MATCHES "^zorvexpro \\(${DEBIAN_VERSION}\\) ")
    message(FATAL_ERROR "changelog.Debian.gz is not of version ${DEBIAN_VERSION}:\n${changelog}")
endif()

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

# The MQTT bridge's user unit starts the tool of this prefix on the instance's port, and systemd
# accepts it as the instance for /dev/rfcomm0 (a user manager's runtime folder is a scratch one).
set(unit ${PREFIX}/lib/systemd/user/zorvexpro-mqtt@.service)
file(STRINGS ${unit} exec_start REGEX "^ExecStart=")
if(NOT exec_start STREQUAL "ExecStart=${PREFIX}/bin/zorvexpro-cli --port %f serve $ZORVEXPRO_MQTT_OPTIONS")
    message(FATAL_ERROR "${unit} does not start ${PREFIX}/bin/zorvexpro-cli on its port: ${exec_start}")
endif()
set(runtime ${PREFIX}-runtime)
file(REMOVE_RECURSE ${runtime})
file(MAKE_DIRECTORY ${runtime})
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_RUNTIME_DIR=${runtime}
                        ${SYSTEMD_ANALYZE} --user verify --man=no ${PREFIX}/lib/systemd/user/zorvexpro-mqtt@dev-rfcomm0.service
                RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT result EQUAL 0 OR NOT said STREQUAL "")
    message(FATAL_ERROR "systemd-analyze verify zorvexpro-mqtt@dev-rfcomm0.service: exit ${result}\n${said}")
endif()
message(STATUS "installed as expected under ${PREFIX}")
