# Builds the Debian package into a scratch folder and checks its dependencies and contents, and
# that lintian finds no error in it and only warnings docs/packaging.md explains.
# cmake -DBUILD_DIR=... -DOUT=... -DAPP_ID=... -DICON_SIZES=16;22;... -DLINTIAN=... -DDOCS=...
#       -P checkdeb.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND cpack --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB packages ${OUT}/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package in ${OUT}, found: ${packages}")
endif()
execute_process(COMMAND dpkg-deb -f ${packages} Depends OUTPUT_VARIABLE depends)
foreach(dependency libqt6core6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins libcap2-bin)
    if(NOT depends MATCHES "${dependency}")
        message(FATAL_ERROR "Depends lacks ${dependency}: ${depends}")
    endif()
endforeach()
execute_process(COMMAND dpkg-deb -c ${packages} OUTPUT_VARIABLE contents)
set(paths usr/bin/zorvexpro usr/bin/zorvexpro-cli usr/bin/zorvexpro-devsim
          usr/share/applications/${APP_ID}.desktop
          usr/share/metainfo/${APP_ID}.metainfo.xml
          usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
          usr/share/man/man1/zorvexpro.1.gz usr/share/man/man1/zorvexpro-cli.1.gz
          usr/share/man/man1/zorvexpro-devsim.1.gz usr/share/man/man8/zorvexpro-rfcomm.8.gz
          usr/share/doc/zorvexpro/copyright usr/share/doc/zorvexpro/changelog.Debian.gz
          usr/share/lintian/overrides/zorvexpro
          usr/lib/systemd/user/zorvexpro-mqtt@.service usr/share/doc/zorvexpro/examples/mqtt.conf)
foreach(size IN LISTS ICON_SIZES)
    list(APPEND paths usr/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
foreach(path IN LISTS paths)
    if(NOT contents MATCHES "\\./${path}\n")
        message(FATAL_ERROR "package lacks ${path}")
    endif()
endforeach()
# The RFCOMM helper: root's, mode 0750 in the archive (dpkg-deb cannot carry the group dialout);
# the postinst, executable, sets the group, the mode and the capability, in that order.
set(helper /usr/libexec/zorvexpro/zorvexpro-rfcomm)
if(NOT contents MATCHES "\n-rwxr-x--- root/root +[0-9]+ [^\n]* \\.${helper}\n")
    message(FATAL_ERROR "package lacks ${helper} as -rwxr-x--- root/root:\n${contents}")
endif()
# The MQTT bridge's user unit starts the packaged tool.
execute_process(COMMAND dpkg-deb --fsys-tarfile ${packages}
                COMMAND tar -xOf - ./usr/lib/systemd/user/zorvexpro-mqtt@.service OUTPUT_VARIABLE unit)
if(NOT unit MATCHES "\nExecStart=/usr/bin/zorvexpro-cli --port %f serve ")
    message(FATAL_ERROR "the packaged user unit does not start /usr/bin/zorvexpro-cli:\n${unit}")
endif()
execute_process(COMMAND dpkg-deb -I ${packages} OUTPUT_VARIABLE info)
if(NOT info MATCHES "\\* +postinst +#!/bin/sh")
    message(FATAL_ERROR "package lacks an executable postinst:\n${info}")
endif()
execute_process(COMMAND dpkg-deb -I ${packages} postinst OUTPUT_VARIABLE postinst)
string(FIND "${postinst}" "helper=${helper}\n" named)
string(FIND "${postinst}" "chgrp dialout \"$helper\"" chgrp)
string(FIND "${postinst}" "chmod 0750 \"$helper\"" chmod)
string(FIND "${postinst}" "setcap cap_net_admin+ep \"$helper\"" setcap)
if(named EQUAL -1 OR chgrp EQUAL -1 OR chmod EQUAL -1 OR NOT chgrp LESS setcap OR NOT chmod LESS setcap)
    message(FATAL_ERROR "the postinst does not set group, mode and capability of ${helper}:\n${postinst}")
endif()

# lintian: no error; every warning left is explained in docs/packaging.md.
execute_process(COMMAND ${LINTIAN} ${packages} RESULT_VARIABLE result OUTPUT_VARIABLE tags ERROR_VARIABLE ignored)
if(NOT result EQUAL 0 OR tags MATCHES "(^|\n)E: ")
    message(FATAL_ERROR "lintian finds errors (exit ${result}):\n${tags}")
endif()
file(READ ${DOCS} docs)
string(REGEX MATCHALL "(^|\n)W: [^ ]+ [^ \n]+" warnings "${tags}")
foreach(warning IN LISTS warnings)
    string(REGEX REPLACE ".* " "" tag "${warning}")
    string(FIND "${docs}" "`${tag}`" explained)
    if(explained EQUAL -1)
        message(FATAL_ERROR "lintian warns ${tag}, which ${DOCS} does not explain:\n${tags}")
    endif()
endforeach()
message(STATUS "package ${packages} depends on: ${depends}\nlintian:\n${tags}")
