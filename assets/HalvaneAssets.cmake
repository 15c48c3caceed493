# The program's pictures as a Qt resource under ":/assets": the own pictures of this folder and
# the Material Design Icons glyphs that the icon set's table names, copied from the npm package
# (scripts/deps installs it with `npm ci`). Only the chosen glyphs go in, never the whole package.
#
#   halvane_add_assets(<target> TABLE <source file with the icon table>)

set(HALVANE_ASSETS_DIR ${CMAKE_CURRENT_LIST_DIR})

function(halvane_add_assets target)
    cmake_parse_arguments(ARG "" "TABLE" "" ${ARGN})
    set(mdi_dir ${HALVANE_ASSETS_DIR}/node_modules/@mdi/svg/svg)
    if(NOT EXISTS ${mdi_dir})
        message(FATAL_ERROR
            "The icon set needs the npm package @mdi/svg in assets/node_modules, which is missing.\n"
            "Run scripts/deps (it runs `npm ci` in assets/), then configure again.")
    endif()

    # The glyph names from the table in the code: lines of the form {"Name", "glyph-name"},
    file(STRINGS ${ARG_TABLE} table_lines REGEX "^ *\\{\"[^\"]+\", \"[a-z0-9-]+\"\\},")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARG_TABLE})
    set(glyphs)
    foreach(line IN LISTS table_lines)
        string(REGEX REPLACE "^ *\\{\"[^\"]+\", \"([a-z0-9-]+)\"\\},.*$" "\\1" glyph "${line}")
        list(APPEND glyphs ${glyph})
    endforeach()
    list(REMOVE_DUPLICATES glyphs)
    if(NOT glyphs)
        message(FATAL_ERROR "No icon glyphs found in ${ARG_TABLE}")
    endif()

    set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/assets)
    set(files)
    foreach(glyph IN LISTS glyphs)
        if(NOT EXISTS ${mdi_dir}/${glyph}.svg)
            message(FATAL_ERROR "Icon glyph '${glyph}' named in ${ARG_TABLE} is not in @mdi/svg "
                "(${mdi_dir}). Pick another glyph, or run scripts/deps if the package is outdated.")
        endif()
        configure_file(${mdi_dir}/${glyph}.svg ${out_dir}/mdi/${glyph}.svg COPYONLY)
        list(APPEND files ${out_dir}/mdi/${glyph}.svg)
    endforeach()

    foreach(own halvane-logo.svg house.svg link-on.svg link-off.svg LICENSE-mdi-svg.txt)
        configure_file(${HALVANE_ASSETS_DIR}/${own} ${out_dir}/${own} COPYONLY)
        list(APPEND files ${out_dir}/${own})
    endforeach()

    qt_add_resources(${target} halvane_assets
        PREFIX /assets
        BASE ${out_dir}
        FILES ${files})
endfunction()
