# Checks deliverable DLLs on the build machine with MinGW's objdump:
#  - the export table holds exactly the names of the version script, by name
#    and undecorated, and nothing by ordinal alone;
#  - the DLL is of the expected bitness (PE_MAGIC: 010b for PE32, 020b for
#    PE32+);
#  - its DllMain is the platform layer's, the one that turns off the thread
#    notifications;
#  - it needs no MinGW runtime DLL;
#  - it imports nothing by name from the DLLs of ORDINAL_IMPORTS (the design
#    loader and the hardware-access library, whose real files do not export
#    our names for their functions).
# Run as: cmake -DOBJDUMP=<objdump> -DNM=<nm> -DEXPORT_MAP=<exports.map>
#               -DPE_MAGIC=<magic> -DDLLMAIN=<symbol> -DDLLS=<dll>|<dll>...
#               -DORDINAL_IMPORTS=<dll name>|<dll name>...
#               -P CheckDllExports.cmake
foreach(variable OBJDUMP NM EXPORT_MAP PE_MAGIC DLLMAIN DLLS ORDINAL_IMPORTS)
  if(NOT DEFINED ${variable} OR "${${variable}}" STREQUAL "")
    message(FATAL_ERROR "${variable} is not set")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/ExportNames.cmake)
velm_export_names(${EXPORT_MAP} expected)
list(SORT expected)
list(LENGTH expected expected_count)

string(REPLACE "|" ";" dlls "${DLLS}")
# Windows compares DLL names without regard to case.
string(TOLOWER "${ORDINAL_IMPORTS}" ordinal_dlls)
string(REPLACE "|" ";" ordinal_dlls "${ordinal_dlls}")
string(REPLACE "|" ", " ordinal_dll_names "${ORDINAL_IMPORTS}")
set(failures 0)
foreach(dll IN LISTS dlls)
  get_filename_component(name ${dll} NAME)
  execute_process(COMMAND ${OBJDUMP} -p ${dll} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(SEND_ERROR "${name}: ${OBJDUMP} -p failed")
    math(EXPR failures "${failures} + 1")
    continue()
  endif()
  string(REPLACE ";" "," headers "${headers}")
  string(REPLACE "\n" ";" lines "${headers}")

  set(problems "")
  set(magic "")
  set(address_count "")
  set(names "")
  set(imports "")
  set(in_names FALSE)
  # The DLL of ORDINAL_IMPORTS whose import entries are being read, and how
  # many of them there were: a block of none means objdump's listing was
  # not understood, and nothing was checked.
  set(ordinal_dll "")
  set(ordinal_entries 0)
  set(ordinal_count 0)
  set(by_name "")
  foreach(line IN LISTS lines)
    if(in_names)
      if(line MATCHES "^[ \t]*\\[ *[0-9]+\\] (.+)$")
        list(APPEND names "${CMAKE_MATCH_1}")
        continue()
      endif()
      set(in_names FALSE)
    endif()
    if(NOT ordinal_dll STREQUAL "")
      # An entry is "<thunk> <hint or ordinal> <name>"; the name of an
      # import by ordinal is "<none>".
      if(line MATCHES "^\t[0-9a-fA-F]+\t +[0-9a-fA-F]+  ([^ ]+)")
        math(EXPR ordinal_entries "${ordinal_entries} + 1")
        if(CMAKE_MATCH_1 STREQUAL "<none>")
          math(EXPR ordinal_count "${ordinal_count} + 1")
        else()
          list(APPEND by_name "${CMAKE_MATCH_1} from ${ordinal_dll}")
        endif()
        continue()
      elseif(line MATCHES "^\tvma:")
        continue()
      endif()
      if(ordinal_entries EQUAL 0)
        list(APPEND problems "no import entries of ${ordinal_dll} could be read")
      endif()
      set(ordinal_dll "")
    endif()
    if(line MATCHES "^Magic[ \t]+([0-9a-fA-F]+)")
      set(magic ${CMAKE_MATCH_1})
    elseif(address_count STREQUAL "" AND line MATCHES "^[ \t]+Export Address Table[ \t]+([0-9a-fA-F]+)$")
      # The first one is the count ("Number in:"), the second the table's address.
      set(address_count ${CMAKE_MATCH_1})
    elseif(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
      set(in_names TRUE)
    elseif(line MATCHES "^[ \t]*DLL Name: (.+)$")
      set(import "${CMAKE_MATCH_1}")
      list(APPEND imports "${import}")
      string(TOLOWER "${import}" import_lower)
      list(FIND ordinal_dlls "${import_lower}" ordinal_index)
      if(NOT ordinal_index EQUAL -1)
        set(ordinal_dll "${import}")
        set(ordinal_entries 0)
      endif()
    endif()
  endforeach()

  if(NOT magic STREQUAL PE_MAGIC)
    list(APPEND problems "optional header magic is '${magic}', expected ${PE_MAGIC}")
  endif()
  list(SORT names)
  if(NOT names STREQUAL expected)
    set(missing ${expected})
    set(extra ${names})
    if(names)
      list(REMOVE_ITEM missing ${names})
    endif()
    list(REMOVE_ITEM extra ${expected})
    list(JOIN missing ", " missing)
    list(JOIN extra ", " extra)
    list(APPEND problems "export names differ: missing [${missing}], not expected [${extra}]")
  endif()
  if(address_count STREQUAL "")
    list(APPEND problems "no export table")
  else()
    math(EXPR address_count "0x${address_count}")
    if(NOT address_count EQUAL expected_count)
      list(APPEND problems "${address_count} exported addresses, expected ${expected_count}")
    endif()
  endif()
  foreach(import IN LISTS imports)
    if(import MATCHES "^lib(stdc\\+\\+|gcc_s|winpthread)")
      list(APPEND problems "needs the MinGW runtime DLL ${import}")
    endif()
  endforeach()
  foreach(import IN LISTS by_name)
    list(APPEND problems "imports ${import} by name, not by ordinal")
  endforeach()

  execute_process(COMMAND ${OBJDUMP} -d --disassemble=${DLLMAIN} ${dll} OUTPUT_VARIABLE code RESULT_VARIABLE result)
  # Only the function itself: the listing goes on past its end.
  string(FIND "${code}" "<${DLLMAIN}>:" start)
  if(NOT result EQUAL 0 OR start EQUAL -1)
    list(APPEND problems "no ${DLLMAIN}")
  else()
    string(SUBSTRING "${code}" ${start} -1 code)
    string(REGEX REPLACE "\n[0-9a-f]+ <[^>]*>:.*" "" code "${code}")
    # The call goes through the import address table; the 64-bit listing
    # names the slot, the 32-bit one only gives its address.
    execute_process(COMMAND ${NM} ${dll} OUTPUT_VARIABLE symbols)
    set(slot "DisableThreadLibraryCalls")
    if(symbols MATCHES "(^|\n)0*([0-9a-f]+) I __imp__?DisableThreadLibraryCalls")
      set(slot "(DisableThreadLibraryCalls|\\*0x0*${CMAKE_MATCH_2}([^0-9a-f]|$))")
    endif()
    if(NOT code MATCHES "call[^\n]*${slot}")
      list(APPEND problems "${DLLMAIN} is not the platform layer's: it does not call DisableThreadLibraryCalls")
    endif()
  endif()

  if(problems)
    foreach(problem IN LISTS problems)
      message(SEND_ERROR "${name}: ${problem}")
    endforeach()
    math(EXPR failures "${failures} + 1")
  else()
    list(LENGTH names count)
    message(STATUS "${name}: PE magic ${magic}, ${count} exports, ${DLLMAIN} kept,"
                   " ${ordinal_count} imports by ordinal alone from ${ordinal_dll_names}")
  endif()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} DLL(s) failed the export check")
endif()
