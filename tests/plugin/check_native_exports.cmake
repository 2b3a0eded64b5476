# The native module's dynamic symbol table defines exactly the ten entry points.
execute_process(COMMAND nm -D --defined-only ${MODULE} OUTPUT_VARIABLE symbols
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "nm could not read ${MODULE}")
endif()
string(REGEX MATCHALL "[^ \n]+ [A-Za-z] [^\n]+" entries "${symbols}")
set(names)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^[^ ]+ [A-Za-z] " "" name "${entry}")
  if(NOT name MATCHES "^(_init|_fini|QUILLMERE_.*)$")
    list(APPEND names ${name})
  endif()
endforeach()
list(SORT names)
set(expected gfpGetPluginInfo gfpLoadPictureExit gfpLoadPictureGetColormap
    gfpLoadPictureGetInfo gfpLoadPictureGetLine gfpLoadPictureInit gfpSavePictureExit
    gfpSavePictureInit gfpSavePictureIsSupported gfpSavePicturePutLine)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "exports: got ${names}\nexpected ${expected}")
endif()
