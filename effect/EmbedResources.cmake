# eb_embed_resources(<target> [<key> <file.exr>]...): a static library holding the embedded
# resource table (EMBEDDED_RESOURCES, EMBEDDED_RESOURCE_COUNT) with each EXR file under its
# lookup key, the resource file name without its extension ("noise" for noise.exr). Link
# exactly one such table into every binary that uses eb_frame; with no files the table is
# empty.
function(eb_embed_resources target)
  set(files)
  set(args ${ARGN})
  list(LENGTH args n)
  math(EXPR odd "${n} % 2")
  if(odd)
    message(FATAL_ERROR "eb_embed_resources(${target}): arguments must be <key> <file> pairs")
  endif()
  set(i 1)
  while(i LESS n)
    list(GET args ${i} file)
    list(APPEND files ${file})
    math(EXPR i "${i} + 2")
  endwhile()
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_table.cpp")
  add_custom_command(OUTPUT "${out}"
    COMMAND eb_resource_embedder "${out}" ${ARGN}
    DEPENDS eb_resource_embedder ${files}
    COMMENT "Embedding resources into ${target}"
    VERBATIM)
  add_library(${target} STATIC "${out}")
endfunction()
