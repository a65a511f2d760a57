# The public library: include/sentralign/ and src/api/, on top of every
# room. Its objects serve the shared library that is installed
# (libsentralign.so, exporting only the public API) and the Python
# extension, which takes them in whole.

# The start-up files that ship with the program, built into the library.
function(sentralign_bytes_of file variable)
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  set(${variable} "${bytes}" PARENT_SCOPE)
endfunction()
sentralign_bytes_of(${CMAKE_CURRENT_SOURCE_DIR}/data/stoplist_portugues.txt
                    SENTRALIGN_STOPLIST_BYTES)
sentralign_bytes_of(${CMAKE_CURRENT_SOURCE_DIR}/data/FILE_DESCRIPTION_RELATIONS_CST.txt
                    SENTRALIGN_RELATION_TYPES_BYTES)
configure_file(src/api/ShippedData.cpp.in ${CMAKE_CURRENT_BINARY_DIR}/generated/ShippedData.cpp
               @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  data/stoplist_portugues.txt data/FILE_DESCRIPTION_RELATIONS_CST.txt)

add_library(sentralign_api_objects OBJECT
  src/api/Cluster.cpp
  src/api/ClusterGraph.cpp
  src/api/Error.cpp
  src/api/Evaluation.cpp
  src/api/Measures.cpp
  src/api/Version.cpp
  ${CMAKE_CURRENT_BINARY_DIR}/generated/ShippedData.cpp
)
target_include_directories(sentralign_api_objects PUBLIC
  $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_link_libraries(sentralign_api_objects PUBLIC sentralign_eval)
target_compile_options(sentralign_api_objects PRIVATE ${SENTRALIGN_WARNINGS})
target_compile_definitions(sentralign_api_objects PRIVATE
  SENTRALIGN_BUILDING_LIBRARY SENTRALIGN_VERSION="${PROJECT_VERSION}")
set_target_properties(sentralign_api_objects PROPERTIES
  CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)

# libsentralign.so: the public API and nothing else (the rooms' static
# libraries are linked in with their symbols hidden).
add_library(sentralign_api SHARED $<TARGET_OBJECTS:sentralign_api_objects>)
target_include_directories(sentralign_api PUBLIC
  $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_compile_features(sentralign_api PUBLIC cxx_std_17)
target_link_libraries(sentralign_api PRIVATE sentralign_eval)
target_link_options(sentralign_api PRIVATE -Wl,--exclude-libs,ALL)
set_target_properties(sentralign_api PROPERTIES
  OUTPUT_NAME sentralign EXPORT_NAME sentralign
  VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
add_library(sentralign::sentralign ALIAS sentralign_api)

include(CMakePackageConfigHelpers)
install(TARGETS sentralign_api EXPORT sentralignTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY include/sentralign DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT sentralignTargets NAMESPACE sentralign::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/sentralign)
configure_package_config_file(cmake/sentralignConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/sentralignConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/sentralign)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/sentralignConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/sentralignConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/sentralignConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/sentralign)
# The .pc file finds the prefix from where it lies, so that an install with
# --prefix needs nothing else.
file(RELATIVE_PATH SENTRALIGN_PC_TO_PREFIX "/p/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/p")
configure_file(cmake/sentralign.pc.in ${CMAKE_CURRENT_BINARY_DIR}/sentralign.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/sentralign.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
