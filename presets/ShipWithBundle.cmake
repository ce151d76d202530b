# eb_ship_with_bundle(<bundle target> BUNDLE_DIR <folder>.ofx.bundle
#                     [PRESETS <preset files...>] [DOCUMENTATION <files...>])
#
# Copies factory preset files into <bundle>/Contents/Resources/presets and documentation
# files into <bundle>/Contents/Resources/docs whenever a source changes, as part of building
# <bundle target>. The bundle's install rule installs its whole Contents/Resources folder, so
# installed bundles carry them too.
function(eb_ship_with_bundle target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "BUNDLE_DIR" "PRESETS;DOCUMENTATION")
  if(ARG_UNPARSED_ARGUMENTS OR NOT ARG_BUNDLE_DIR)
    message(FATAL_ERROR "eb_ship_with_bundle(${target} BUNDLE_DIR <folder> [PRESETS ...] [DOCUMENTATION ...])")
  endif()
  set(outputs "")
  foreach(kind IN ITEMS PRESETS DOCUMENTATION)
    if(kind STREQUAL "PRESETS")
      set(destination "${ARG_BUNDLE_DIR}/Contents/Resources/presets")
    else()
      set(destination "${ARG_BUNDLE_DIR}/Contents/Resources/docs")
    endif()
    foreach(source IN LISTS ARG_${kind})
      get_filename_component(source "${source}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
      get_filename_component(name "${source}" NAME)
      add_custom_command(
        OUTPUT "${destination}/${name}"
        COMMAND ${CMAKE_COMMAND} -E make_directory "${destination}"
        COMMAND ${CMAKE_COMMAND} -E copy_if_different "${source}" "${destination}/${name}"
        DEPENDS "${source}"
        COMMENT "Shipping ${name} with ${target}"
        VERBATIM)
      list(APPEND outputs "${destination}/${name}")
    endforeach()
  endforeach()
  add_custom_target(${target}_shipped_files DEPENDS ${outputs})
  add_dependencies(${target} ${target}_shipped_files)
endfunction()
