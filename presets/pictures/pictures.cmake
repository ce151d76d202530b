# The before-and-after pictures of the documentation page, rendered with the built bundle
# into its Contents/Resources/docs folder (target edge_bleed_documentation_pictures, built by
# default). They are rendered on the CPU, so every build machine makes them.
add_executable(eb_documentation_pictures ${CMAKE_CURRENT_LIST_DIR}/DocumentationPictures.cpp)
target_link_libraries(eb_documentation_pictures PRIVATE ofx_render_command eb_presets)

set(eb_docs_dir "${EDGE_BLEED_BUNDLE_DIR}/Contents/Resources/docs")
set(eb_pictures "${eb_docs_dir}/source.png" "${eb_docs_dir}/matte.png")
foreach(preset IN LISTS EB_EDGE_BLEED_FACTORY_PRESETS)
  get_filename_component(stem "${preset}" NAME_WE)
  string(TOLOWER "${stem}" stem)
  string(REPLACE " " "-" stem "${stem}")
  list(APPEND eb_pictures "${eb_docs_dir}/${stem}.png")
endforeach()
add_custom_command(
  OUTPUT ${eb_pictures}
  COMMAND ${CMAKE_COMMAND} -E make_directory "${eb_docs_dir}"
  COMMAND eb_documentation_pictures "${EDGE_BLEED_BUNDLE_DIR}" "${eb_docs_dir}" ${EB_EDGE_BLEED_FACTORY_PRESETS}
  DEPENDS eb_documentation_pictures edge_bleed_plugin ${EB_EDGE_BLEED_FACTORY_PRESETS}
  COMMENT "Rendering the documentation pictures"
  VERBATIM)
add_custom_target(edge_bleed_documentation_pictures ALL DEPENDS ${eb_pictures})
