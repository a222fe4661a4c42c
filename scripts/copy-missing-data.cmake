# Copies into TARGET every file of SOURCE that TARGET lacks, at the same relative path. A file
# already in TARGET is never replaced: a word a teacher added to a bundled dictionary, an edited
# theme or help page survive every build.
#   cmake -DSOURCE=data -DTARGET=build/bin -P scripts/copy-missing-data.cmake
if(NOT IS_DIRECTORY "${SOURCE}" OR NOT TARGET)
  message(FATAL_ERROR "copy-missing-data: needs -DSOURCE=<existing folder> -DTARGET=<folder>")
endif()
file(GLOB_RECURSE files RELATIVE "${SOURCE}" LIST_DIRECTORIES false "${SOURCE}/*")
foreach(file IN LISTS files)
  if(NOT EXISTS "${TARGET}/${file}" AND NOT IS_SYMLINK "${TARGET}/${file}")
    get_filename_component(folder "${TARGET}/${file}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${SOURCE}/${file}" "${TARGET}/${file}")
  endif()
endforeach()
