# Building blocks shared by the deliverables and the test applets.

set(VELM_EXPORT_SCRIPT ${CMAKE_SOURCE_DIR}/framework/exports/exports.map)

# velm_embed_file(<target> <file> <symbol>): compiles <file> into <target> as
# velm::embedded::<symbol>[] with velm::embedded::<symbol>Size.
function(velm_embed_file target file symbol)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded_${symbol}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DSYMBOL=${symbol}
            -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${file} ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()

# velm_add_applet(<target> DESIGN <design block> HAP_NAME <name.hap>
#                 [ICON <png>] [OUTPUT_DIRECTORY <dir>] SOURCES ...)
# A deliverable: the framework linked in whole, the applet's sources, its
# embedded design block (also copied beside the library as its design file),
# exactly the 31 exports, and no "lib" prefix so that the library's settings
# section is its own name.
function(velm_add_applet target)
  cmake_parse_arguments(A "" "DESIGN;HAP_NAME;ICON;OUTPUT_DIRECTORY" "SOURCES" ${ARGN})
  add_library(${target} SHARED ${A_SOURCES})
  set_target_properties(${target} PROPERTIES PREFIX "")
  if(A_OUTPUT_DIRECTORY)
    set_target_properties(${target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${A_OUTPUT_DIRECTORY}
                                               RUNTIME_OUTPUT_DIRECTORY ${A_OUTPUT_DIRECTORY})
    set(hap_dir ${A_OUTPUT_DIRECTORY})
  else()
    set(hap_dir ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
  endif()
  target_link_libraries(${target} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,velm_framework>" desload velm_hw)
  if(NOT WIN32)
    target_link_options(${target} PRIVATE -Wl,--version-script=${VELM_EXPORT_SCRIPT} -Wl,--no-undefined)
    # Only the library's own directory: the stand-ins beside it, and the host
    # library found there or through the normal search path.
    set_target_properties(${target} PROPERTIES LINK_DEPENDS ${VELM_EXPORT_SCRIPT}
                                               BUILD_WITH_INSTALL_RPATH TRUE INSTALL_RPATH "$ORIGIN")
  endif()
  velm_embed_file(${target} ${A_DESIGN} designBlock)
  if(A_ICON)
    velm_embed_file(${target} ${A_ICON} appletIcon)
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${A_DESIGN} ${hap_dir}/${A_HAP_NAME}
    VERBATIM)
endfunction()
