# Resource files of the data part: where the program finds its sample data and their installation.
include(GNUInstallDirs)

set(ZEMTRAL_RESOURCE_INSTALL_DIR ${CMAKE_INSTALL_FULL_DATADIR}/zemtral)
target_compile_definitions(zemtral_data PRIVATE
  ZEMTRAL_INSTALLED_RESOURCE_DIR="${ZEMTRAL_RESOURCE_INSTALL_DIR}"
  ZEMTRAL_SOURCE_RESOURCE_DIR="${CMAKE_SOURCE_DIR}/resources")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/samples DESTINATION ${CMAKE_INSTALL_DATADIR}/zemtral
        FILES_MATCHING PATTERN "*.ZD3" PATTERN "*.md")
