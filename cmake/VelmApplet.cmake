# Building blocks shared by the deliverables and the test applets.

include(${CMAKE_CURRENT_LIST_DIR}/ExportNames.cmake)

set(VELM_EXPORT_SCRIPT ${CMAKE_SOURCE_DIR}/framework/exports/exports.map)

if(WIN32)
  # The same names as a module-definition file, made from the version script
  # so that the list is kept in one place: the DLL exports them undecorated
  # and nothing else.
  set(VELM_EXPORT_DEF ${CMAKE_BINARY_DIR}/velm_exports.def)
  velm_export_names(${VELM_EXPORT_SCRIPT} velm_export_list)
  set(velm_def "; Made from framework/exports/exports.map; do not edit.\nEXPORTS\n")
  foreach(name IN LISTS velm_export_list)
    string(APPEND velm_def "    ${name}\n")
  endforeach()
  file(CONFIGURE OUTPUT ${VELM_EXPORT_DEF} CONTENT "${velm_def}")
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VELM_EXPORT_SCRIPT})
endif()

# velm_runtime_path(<variable> <path>): <path> as the build's programs see it
# when they run. Those of a cross build to Windows run under Wine, whose
# drive Z: is the host's root; a path without a drive would be taken on the
# drive of the working directory, which a test may change.
function(velm_runtime_path variable path)
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(path "Z:${path}")
  endif()
  set(${variable} "${path}" PARENT_SCOPE)
endfunction()

# velm_embed_file(<target> <file> <symbol>): compiles <file> into <target> as
# velm::embedded::<symbol>[] with velm::embedded::<symbol>Size; without a
# file, as no bytes.
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

# velm_add_applet(<target> DESIGN <name.hap> [ICON <png>]
#                 [OUTPUT_DIRECTORY <dir>] [IMPORTS_BY_NAME] SOURCES ...)
# A deliverable: the framework linked in whole, the applet's sources, its
# embedded design block (also copied beside the library as its design file,
# under the same name) and icon, exactly the 31 exports, and no "lib" prefix
# so that the library's settings section is its own name.
# IMPORTS_BY_NAME (Windows only) makes a faulty copy for the test of the DLL
# check: it imports the design loader's and the hardware-access library's
# functions by name, and is left out of the deliverables the check reads.
function(velm_add_applet target)
  cmake_parse_arguments(A "IMPORTS_BY_NAME" "DESIGN;ICON;OUTPUT_DIRECTORY" "SOURCES" ${ARGN})
  add_library(${target} SHARED ${A_SOURCES})
  set_target_properties(${target} PROPERTIES PREFIX "")
  if(A_OUTPUT_DIRECTORY)
    set_target_properties(${target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${A_OUTPUT_DIRECTORY}
                                               RUNTIME_OUTPUT_DIRECTORY ${A_OUTPUT_DIRECTORY})
    set(hap_dir ${A_OUTPUT_DIRECTORY})
  else()
    set(hap_dir ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
  endif()
  if(WIN32 AND NOT A_IMPORTS_BY_NAME)
    set(outside_libraries desload_by_ordinal velm_hw_by_ordinal)
  else()
    # On Windows, the stand-ins' own import libraries: by name, and ahead of
    # the framework's by-ordinal ones on the link line.
    set(outside_libraries desload velm_hw)
  endif()
  target_link_libraries(${target} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,velm_framework>" ${outside_libraries})
  if(WIN32)
    # The DLL lands beside its design file, as the shared object does. Its
    # entry point is the platform layer's DllMain. The export check of the
    # tests finds every deliverable in VELM_APPLETS.
    if(NOT A_IMPORTS_BY_NAME)
      set_property(GLOBAL APPEND PROPERTY VELM_APPLETS ${target})
    endif()
    target_sources(${target} PRIVATE ${VELM_EXPORT_DEF})
    target_link_options(${target} PRIVATE -Wl,--undefined=${VELM_DLLMAIN_SYMBOL})
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${hap_dir} LINK_DEPENDS ${VELM_EXPORT_DEF})
  else()
    target_link_options(${target} PRIVATE -Wl,--version-script=${VELM_EXPORT_SCRIPT} ${VELM_LINK_ALL_DEFINED})
    # Only the library's own directory: the stand-ins beside it, and the host
    # library found there or through the normal search path.
    set_target_properties(${target} PROPERTIES LINK_DEPENDS ${VELM_EXPORT_SCRIPT}
                                               BUILD_WITH_INSTALL_RPATH TRUE INSTALL_RPATH "$ORIGIN")
  endif()
  velm_embed_file(${target} "${A_DESIGN}" designBlock)
  velm_embed_file(${target} "${A_ICON}" appletIcon)
  get_filename_component(hap_name ${A_DESIGN} NAME)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${A_DESIGN} ${hap_dir}/${hap_name}
    VERBATIM)
endfunction()
