# Settings every target of the panel shares: the language level, the warnings and the Qt
# definitions that keep string conversions and connections explicit.
add_library(halvane_common INTERFACE)
target_compile_features(halvane_common INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(halvane_common INTERFACE -Wall -Wextra)
target_compile_definitions(halvane_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_DISABLE_DEPRECATED_UP_TO=0x060400
    HALVANE_VERSION="${PROJECT_VERSION}")

if(HALVANE_SANITIZE)
    target_compile_options(halvane_common INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(halvane_common INTERFACE -fsanitize=address,undefined)
endif()

# halvane_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable per unit, run offscreen, with the fixture folder passed in.
function(halvane_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE halvane_common Qt6::Test ${ARG_LIBS})
    target_compile_definitions(${name} PRIVATE
        HALVANE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
        HALVANE_BUILD_DIR="${PROJECT_BINARY_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=halvane.*.debug=false;HALVANE_WEBVIEW=stub"
        TIMEOUT ${ARG_TIMEOUT})
endfunction()
