# `cmake --install BUILD --prefix P` lays Ambrook out the way a Linux desktop expects:
#   P/bin/ambrook, P/bin/ambrook-launch        the program and its starter
#   P/bin/Images/*.bmp                         shortcut-button pictures, read beside the program
#   P/share/applications/ambrook.desktop       the menu entry
#   P/share/icons/hicolor/*/apps/ambrook.*     the icon, painted by the build, and its SVG
#   P/share/metainfo/ambrook.metainfo.xml      the software-centre description
#   P/share/doc/ambrook/                       README and LICENSE

include(GNUInstallDirs)

install(TARGETS ambrook RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS data/ambrook-launch DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${AMBROOK_BUTTON_PICTURES}
        DESTINATION ${CMAKE_INSTALL_BINDIR}/Images)

if(NOT DEFINED AMBROOK_ICON_DIR)
    message(FATAL_ERROR "cmake/install.cmake needs tools/ (the icon writer) added first")
endif()
foreach(size IN LISTS AMBROOK_ICON_SIZES)
    install(FILES ${AMBROOK_ICON_DIR}/ambrook-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ambrook.png)
endforeach()
install(FILES data/ambrook.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/ambrook.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES README.md LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ambrook)

# The menu entry names the starter by its full path, which is known only at install time
# (`--prefix` may differ from the prefix the build was configured with).
set(AMBROOK_BINDIR ${CMAKE_INSTALL_BINDIR})
set(AMBROOK_DATADIR ${CMAKE_INSTALL_DATADIR})
set(AMBROOK_SOURCE_DIR ${PROJECT_SOURCE_DIR})
string(CONFIGURE [[
    set(bindir "${CMAKE_INSTALL_PREFIX}/@AMBROOK_BINDIR@")
    set(launch "${bindir}/ambrook-launch")
    set(AMBROOK_LAUNCH_TRYEXEC "${launch}")
    # Inside a quoted argument of Exec, \ " ` $ are escaped with \, and \ once more for
    # the key file; a plain path needs no quotes.
    if(launch MATCHES "[ \t\"'\\\\><~|&;$*?#()`=%]")
        string(REPLACE "\\" "\\\\\\\\" quoted "${launch}")
        string(REPLACE "\"" "\\\\\"" quoted "${quoted}")
        string(REPLACE "`" "\\\\`" quoted "${quoted}")
        string(REPLACE "$" "\\\\$" quoted "${quoted}")
        string(REPLACE "%" "%%" quoted "${quoted}")
        set(AMBROOK_LAUNCH_EXEC "\"${quoted}\"")
    else()
        set(AMBROOK_LAUNCH_EXEC "${launch}")
    endif()
    set(target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/@AMBROOK_DATADIR@/applications")
    file(MAKE_DIRECTORY "${target}")
    configure_file("@AMBROOK_SOURCE_DIR@/data/ambrook.desktop.in"
                   "${target}/ambrook.desktop" @ONLY)
    message(STATUS "Installing: ${target}/ambrook.desktop")
]] desktop_entry_code @ONLY)
install(CODE "${desktop_entry_code}")
