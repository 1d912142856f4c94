# What a Windows build needs beyond its toolchain file: the Boost headers,
# the DLL entry point every deliverable must keep, and, when the build is a
# cross build, Wine to run the test programs.

# Boost is only used for header-only parts, which the host's headers serve
# for MinGW as well. /usr/include itself must not reach the include path (its
# C headers are glibc's), so the compiler sees a directory holding nothing
# but a link to the host's boost/. The host's BoostConfig is not used either:
# it would name host libraries.
if(CMAKE_CROSSCOMPILING)
  if(NOT Boost_INCLUDE_DIR AND EXISTS /usr/include/boost/version.hpp)
    set(velm_host_boost ${CMAKE_BINARY_DIR}/host-boost)
    file(MAKE_DIRECTORY ${velm_host_boost})
    file(CREATE_LINK /usr/include/boost ${velm_host_boost}/boost SYMBOLIC)
    set(Boost_INCLUDE_DIR ${velm_host_boost} CACHE PATH "Boost headers")
  endif()
  set(Boost_NO_BOOST_CMAKE ON)
endif()

# What differs between the two bitnesses:
# - The platform layer's DllMain sits in a static library; the MinGW runtime
#   has a default one that the linker would take if nothing asked for ours
#   first. i686 decorates the stdcall name.
# - i686 decorates cdecl names with a leading underscore, x86-64 does not; an
#   import library's symbols must match what the compiler calls.
# - The optional header's magic: PE32 or PE32+.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(VELM_WINDOWS_BITS 32)
  set(VELM_DLLMAIN_SYMBOL _DllMain@12)
  set(VELM_DLLTOOL_UNDERSCORE --leading-underscore)
  set(VELM_PE_MAGIC 010b)
else()
  set(VELM_WINDOWS_BITS 64)
  set(VELM_DLLMAIN_SYMBOL DllMain)
  set(VELM_DLLTOOL_UNDERSCORE --no-leading-underscore)
  set(VELM_PE_MAGIC 020b)
endif()

# The test programs of a cross build run under Wine through a wrapper that
# gives them this build's Wine prefix and a DLL search path: the build's
# library directory, or the directories a test names in VELM_DLL_PATH.
if(CMAKE_CROSSCOMPILING)
  set(VELM_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix CACHE PATH "Wine prefix the tests run in")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                  WORLD_EXECUTE
                 @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

# velm_ordinal_import_library(<target> <dll target> <module-definition file>):
# an interface target that links an import library of <dll target> in which
# every function of the module-definition file is imported by its ordinal
# alone (NONAME): a program linked through it names none of them in its
# import table. The ordinals are read from the file's "name @ordinal" lines.
function(velm_ordinal_import_library target dll def)
  file(READ ${def} text)
  string(REGEX REPLACE ";[^\n]*" "" text "${text}")
  string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*[ \t]+@[0-9]+" exports "${text}")
  set(import_def "EXPORTS\n")
  foreach(export IN LISTS exports)
    string(APPEND import_def "    ${export} NONAME\n")
  endforeach()
  set(import_def_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
  file(CONFIGURE OUTPUT ${import_def_file} CONTENT "${import_def}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})

  set(import_library ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/lib${target}.a)
  add_custom_command(
    OUTPUT ${import_library}
    COMMAND ${CMAKE_DLLTOOL} ${VELM_DLLTOOL_UNDERSCORE} --dllname $<TARGET_FILE_NAME:${dll}> --input-def ${import_def_file}
            --output-lib ${import_library}
    DEPENDS ${import_def_file}
    COMMENT "Making the by-ordinal import library of ${dll}"
    VERBATIM)
  add_custom_target(${target}_import_library DEPENDS ${import_library})

  add_library(${target} INTERFACE)
  target_link_libraries(${target} INTERFACE ${import_library})
  # The import library alone is not enough to run: the DLL it names must be
  # built too.
  add_dependencies(${target} ${target}_import_library ${dll})
endfunction()
