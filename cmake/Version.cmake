# The program's version, the project's, for everything that shows it: VarnokleVersion.h (for the
# code and the resources) in the build's generated folder, reached through the vk_version target,
# and VERSION beside the build for scripts/package.sh.
set(VK_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(VK_VERSION_HEADER ${VK_GENERATED_DIR}/VarnokleVersion.h)
# Written only when the text changes, so that a new version rebuilds what shows it and nothing more.
configure_file(${CMAKE_SOURCE_DIR}/cmake/VarnokleVersion.h.in ${VK_VERSION_HEADER} @ONLY)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/VERSION CONTENT "${PROJECT_VERSION}\n")
add_library(vk_version INTERFACE)
target_include_directories(vk_version INTERFACE ${VK_GENERATED_DIR})
