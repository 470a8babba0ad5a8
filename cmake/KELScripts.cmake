# kel_add_scripts(<target> SOURCES <file.kel>... [INCLUDE_DIRS <dir>...] [DEFINES <NAME[=VALUE]>...]
#                 [OUTPUT_DIR <dir>])
#
# Builds each script into <OUTPUT_DIR>/<name>.cob (default: the current binary directory) with
# kelc, one command per script so that they build in parallel. kelc writes a make rule for each
# script, so only the scripts that an edited include file reaches are rebuilt.
function(kel_add_scripts target)
  cmake_parse_arguments(PARSE_ARGV 1 KEL "" "OUTPUT_DIR" "SOURCES;INCLUDE_DIRS;DEFINES")
  if(NOT KEL_SOURCES)
    message(FATAL_ERROR "kel_add_scripts(${target}) needs SOURCES")
  endif()
  if(KEL_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "kel_add_scripts(${target}): unknown arguments ${KEL_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT KEL_OUTPUT_DIR)
    set(KEL_OUTPUT_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  endif()
  get_filename_component(output_dir "${KEL_OUTPUT_DIR}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")

  set(options --no-pause --quiet --diagnostics=gnu -MD --outdir "${output_dir}")
  foreach(dir IN LISTS KEL_INCLUDE_DIRS)
    get_filename_component(dir "${dir}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND options -I "${dir}")
  endforeach()
  foreach(define IN LISTS KEL_DEFINES)
    list(APPEND options -D "${define}")
  endforeach()

  set(cob_files)
  foreach(source IN LISTS KEL_SOURCES)
    get_filename_component(source "${source}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(name "${source}" NAME_WE)
    set(cob "${output_dir}/${name}.cob")
    # kelc names files relative to the folder it runs in when they lie below it, which is how
    # the generators name the outputs in their depfiles: the top of the build tree.
    add_custom_command(
      OUTPUT "${cob}"
      COMMAND KEL::kelc ${options} "${source}"
      DEPENDS "${source}" KEL::kelc
      DEPFILE "${output_dir}/${name}.d"
      WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
      COMMENT "Building KEL script ${name}.kel"
      VERBATIM)
    list(APPEND cob_files "${cob}")
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${cob_files})
endfunction()
