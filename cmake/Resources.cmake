# The program's resources: res/Varnokle.rc with its fragments (one per subsystem) and the pictures
# they name, which scripts/make-artwork.py draws at build time into ${CMAKE_BINARY_DIR}/artwork.
# vk_add_resources(target [rc]) compiles them into a Windows target; elsewhere it does nothing. A
# test program may name an .rc of its own that includes Varnokle.rc and adds what the tests need.

if(WIN32)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)

    set(VK_ARTWORK_DIR ${CMAKE_BINARY_DIR}/artwork)
    set(VK_ARTWORK_STAMP ${VK_ARTWORK_DIR}/artwork.stamp)
    file(GLOB VK_ARTWORK_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/scripts/artwork/*.py)
    add_custom_command(OUTPUT ${VK_ARTWORK_STAMP}
                       COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/make-artwork.py ${VK_ARTWORK_DIR}
                               --version ${PROJECT_VERSION}
                       DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make-artwork.py ${VK_ARTWORK_SCRIPTS} ${VK_VERSION_HEADER}
                       COMMENT "Drawing the artwork")
    add_custom_target(vk_artwork DEPENDS ${VK_ARTWORK_STAMP})
    file(GLOB VK_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.h
         ${CMAKE_SOURCE_DIR}/res/ids/*.h ${CMAKE_SOURCE_DIR}/res/*.manifest)
    list(APPEND VK_RESOURCE_FILES ${VK_VERSION_HEADER})
endif()

function(vk_add_resources target)
    if(NOT WIN32)
        return()
    endif()
    set(rc ${CMAKE_SOURCE_DIR}/res/Varnokle.rc)
    if(ARGC GREATER 1)
        set(rc ${ARGV1})
    endif()
    target_sources(${target} PRIVATE ${rc})
    # The build does not see the files that the .rc pulls in: name them, so that a change to any
    # of them compiles the resources again. Source properties belong to a directory: set them
    # where the target lives.
    set_property(SOURCE ${rc} TARGET_DIRECTORY ${target} APPEND PROPERTY OBJECT_DEPENDS ${VK_ARTWORK_STAMP}
                                                                                        ${VK_RESOURCE_FILES})
    # resource.h for the code and the .rc, the version for the version resource; the pictures for
    # windres only, which looks for the files that an .rc names in its include folders.
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/res ${VK_GENERATED_DIR})
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:-I${VK_ARTWORK_DIR}>)
    add_dependencies(${target} vk_artwork)
endfunction()
