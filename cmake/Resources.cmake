# The program's resources: res/Varnokle.rc and the pictures it names, which
# scripts/make-artwork.py draws at build time into ${CMAKE_BINARY_DIR}/artwork.
# vk_add_resources(target) compiles them into a Windows target; elsewhere it does nothing.

if(WIN32)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)

    set(VK_ARTWORK_DIR ${CMAKE_BINARY_DIR}/artwork)
    set(VK_ARTWORK ${VK_ARTWORK_DIR}/nodes.bmp ${VK_ARTWORK_DIR}/checks.bmp ${VK_ARTWORK_DIR}/Varnokle.ico)
    add_custom_command(OUTPUT ${VK_ARTWORK}
                       COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/make-artwork.py ${VK_ARTWORK_DIR}
                       DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make-artwork.py
                       COMMENT "Drawing the artwork")
    add_custom_target(vk_artwork DEPENDS ${VK_ARTWORK})
endif()

function(vk_add_resources target)
    if(NOT WIN32)
        return()
    endif()
    set(rc ${CMAKE_SOURCE_DIR}/res/Varnokle.rc)
    target_sources(${target} PRIVATE ${rc})
    # The build does not see the files that the .rc pulls in: name them, so that a change to any
    # of them compiles the resources again. Source properties belong to a directory: set them
    # where the target lives.
    set_property(SOURCE ${rc} TARGET_DIRECTORY ${target} APPEND
                 PROPERTY OBJECT_DEPENDS ${VK_ARTWORK} ${CMAKE_SOURCE_DIR}/res/resource.h
                                         ${CMAKE_SOURCE_DIR}/res/Varnokle.manifest)
    # resource.h for the code and the .rc; the pictures for windres only, which looks for the
    # files that an .rc names in its include folders.
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/res)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:-I${VK_ARTWORK_DIR}>)
    add_dependencies(${target} vk_artwork)
endfunction()
