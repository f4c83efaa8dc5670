# cmake -DSHOW_DIR=... -DOUT_DIR=... -DTOOL=velmira-tool -P pack_show.cmake
#
# Packs every file of the built show into OUT_DIR/datapack.dat and copies
# demo.adt beside it. The pack answers a name with the first entry that
# contains it, so entries go in order of length: a name that is part of a
# longer one comes first and is found as itself. Entries are named "./path",
# which both "path" and "./path" (how the music is asked for) find.
file(GLOB_RECURSE files RELATIVE ${SHOW_DIR} ${SHOW_DIR}/*)
set(keyed)
foreach(file IN LISTS files)
  if(file MATCHES "(^|/)\\." OR file MATCHES "^datapack\\.(dat|txt)$" OR file STREQUAL "demo.adt")
    continue()
  endif()
  string(LENGTH "${file}" length)
  math(EXPR key "100000 + ${length}")
  list(APPEND keyed "${key} ./${file}")
endforeach()
list(SORT keyed)
set(names "")
foreach(entry IN LISTS keyed)
  string(SUBSTRING "${entry}" 7 -1 name)
  string(APPEND names "${name}\n")
endforeach()
file(MAKE_DIRECTORY ${OUT_DIR})
file(WRITE ${OUT_DIR}/datapack.txt "${names}")
execute_process(COMMAND ${TOOL} pack -o ${OUT_DIR}/datapack.dat --list ${OUT_DIR}/datapack.txt
                WORKING_DIRECTORY ${SHOW_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "packing the show failed")
endif()
file(COPY_FILE ${SHOW_DIR}/demo.adt ${OUT_DIR}/demo.adt)
