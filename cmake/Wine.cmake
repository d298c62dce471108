# Runs the Windows build's executables under Wine with a prefix of its own inside the build folder.
set(VK_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                WORLD_EXECUTE @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
# The prefix is made at build time, so that no test run (parallel or not) has to make it; a build
# without tests (the package's) makes it only when asked for.
add_custom_command(OUTPUT ${VK_WINEPREFIX}/system.reg
                   COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh ${VK_WINEPREFIX}
                   COMMENT "Creating the Wine prefix")
if(BUILD_TESTING)
    add_custom_target(wineprefix ALL DEPENDS ${VK_WINEPREFIX}/system.reg)
else()
    add_custom_target(wineprefix DEPENDS ${VK_WINEPREFIX}/system.reg)
endif()
