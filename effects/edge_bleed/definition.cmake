# The effect definition document, compiled into the constant the plug-in reads.
eb_embed_definition(eb_edge_bleed_definition ${CMAKE_CURRENT_LIST_DIR}/edge_bleed.xml)
