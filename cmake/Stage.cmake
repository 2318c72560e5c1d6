# tarvik_stage(<target> [AS <file name>]): copy a built target into the stage folder.
function(tarvik_stage target)
  cmake_parse_arguments(ARG "" "AS" "" ${ARGN})
  if(ARG_AS)
    set(dest "${TARVIK_STAGE_DIR}/${ARG_AS}")
  else()
    set(dest "${TARVIK_STAGE_DIR}/$<TARGET_FILE_NAME:${target}>")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "$<TARGET_FILE:${target}>" "${dest}"
    VERBATIM)
endfunction()

# tarvik_stage_file(<source file> [AS <file name>]): copy a sample file into the stage folder.
function(tarvik_stage_file source)
  cmake_parse_arguments(ARG "" "AS" "" ${ARGN})
  if(ARG_AS)
    set(name "${ARG_AS}")
  else()
    get_filename_component(name "${source}" NAME)
  endif()
  configure_file("${source}" "${TARVIK_STAGE_DIR}/${name}" COPYONLY)
endfunction()
