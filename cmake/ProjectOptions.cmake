# Compiler settings shared by every target of the project.
add_library(zorvex_options INTERFACE)
target_compile_options(zorvex_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Woverloaded-virtual -Wconversion -Wsign-conversion -Wnull-dereference -Wformat=2)
if(ZORVEX_WERROR)
    target_compile_options(zorvex_options INTERFACE -Werror)
endif()
target_compile_definitions(zorvex_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_KEYWORDS)

if(ZORVEX_SANITIZE)
    target_compile_options(zorvex_options INTERFACE -fsanitize=${ZORVEX_SANITIZE} -fno-omit-frame-pointer -g)
    target_link_options(zorvex_options INTERFACE -fsanitize=${ZORVEX_SANITIZE})
    if(ZORVEX_SANITIZE MATCHES "undefined")
        target_compile_options(zorvex_options INTERFACE -fno-sanitize-recover=undefined)
    endif()
endif()
