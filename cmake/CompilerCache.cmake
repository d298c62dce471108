# Every compile goes through ccache where it is installed (scripts/install-deps.sh installs it):
# its cache lives in the user's home, so a fresh clone of sources built before, anywhere, compiles
# from the cache. Paths under the source tree are hashed relative to it, and the working folder is
# left out, so clones in other places share the entries.
option(VK_CCACHE "Compile through ccache when it is installed" ON)
find_program(VK_CCACHE_PROGRAM ccache)
if(VK_CCACHE AND VK_CCACHE_PROGRAM)
    set(launcher ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1 ${VK_CCACHE_PROGRAM})
    set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
endif()

# vk_define_where_used(TARGET NAME VALUE): defines NAME as VALUE only in the target's sources
# that use it. A definition that names a path of this clone, given to every file, would make all
# of them miss the cache in another clone.
function(vk_define_where_used target name value)
    get_target_property(sources ${target} SOURCES)
    foreach(source IN LISTS sources)
        file(STRINGS ${source} uses REGEX "${name}")
        if(uses)
            set_property(SOURCE ${source} TARGET_DIRECTORY ${target} APPEND PROPERTY COMPILE_DEFINITIONS
                                                                           "${name}=\"${value}\"")
        endif()
    endforeach()
endfunction()
