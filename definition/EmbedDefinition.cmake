# eb_embed_definition(<target> <xml file>)
#
# Compiles a definition document into a static library <target> that defines
# `const char kEmbeddedEffectDefinition[]` (declared in definition/EmbeddedDefinition.h),
# NUL-terminated. The document becomes a byte array rather than a string literal, so no byte
# of it can break the generated C++. The source is regenerated whenever the document changes.
# A relative path is taken from the calling folder. Link exactly one such target per bundle.
function(eb_embed_definition target xml_file)
  get_filename_component(xml_path "${xml_file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  set(generated "${CMAKE_CURRENT_BINARY_DIR}/${target}_embedded_definition.cpp")
  set(script "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/GenerateEmbeddedDefinition.cmake")
  add_custom_command(
    OUTPUT "${generated}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${xml_path} -DOUTPUT=${generated} -P ${script}
    DEPENDS "${xml_path}" "${script}"
    COMMENT "Embedding effect definition ${xml_file} into ${target}"
    VERBATIM)
  add_library(${target} STATIC "${generated}")
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()
