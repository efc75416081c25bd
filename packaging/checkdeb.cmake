# Builds the Debian package into a scratch folder and checks its dependencies and contents.
# cmake -DBUILD_DIR=... -DOUT=... -P checkdeb.cmake
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
foreach(dependency libqt6core6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins)
    if(NOT depends MATCHES "${dependency}")
        message(FATAL_ERROR "Depends lacks ${dependency}: ${depends}")
    endif()
endforeach()
execute_process(COMMAND dpkg-deb -c ${packages} OUTPUT_VARIABLE contents)
foreach(path usr/bin/zorvexpro usr/bin/zorvexpro-cli usr/bin/zorvexpro-devsim
             usr/share/applications/net.zorvexpro.zorvexpro.desktop
             usr/share/metainfo/net.zorvexpro.zorvexpro.metainfo.xml
             usr/share/icons/hicolor/scalable/apps/net.zorvexpro.zorvexpro.svg)
    if(NOT contents MATCHES "\\./${path}\n")
        message(FATAL_ERROR "package lacks ${path}")
    endif()
endforeach()
message(STATUS "package ${packages} depends on: ${depends}")
