# velm_export_names(<version script> <variable>): the names the version
# script exports (its "global:" part), in the script's order. The one reader
# of the export list, for the Windows module-definition file and the check
# of the DLLs' export tables.
function(velm_export_names map variable)
  file(STRINGS ${map} lines)
  set(names "")
  set(in_global FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*global:")
      set(in_global TRUE)
    elseif(line MATCHES "^[ \t]*local:")
      set(in_global FALSE)
    elseif(in_global AND line MATCHES "^[ \t]*([A-Za-z_][A-Za-z0-9_]*)[ \t]*;")
      list(APPEND names ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(${variable} ${names} PARENT_SCOPE)
endfunction()
