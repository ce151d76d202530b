# What ships inside the Edge Bleed bundle: its factory presets (one look per file, written in
# the preset file format) and the documentation page the tutorials button opens.
set(EB_EDGE_BLEED_FACTORY_PRESETS
  "${CMAKE_CURRENT_LIST_DIR}/presets/Distance Field View.xml"
  "${CMAKE_CURRENT_LIST_DIR}/presets/Hard Edge Stretch.xml"
  "${CMAKE_CURRENT_LIST_DIR}/presets/Mirror.xml"
  "${CMAKE_CURRENT_LIST_DIR}/presets/Short Reach.xml"
  "${CMAKE_CURRENT_LIST_DIR}/presets/Soft Stretch.xml")
set(EB_EDGE_BLEED_DOCUMENTATION
  "${CMAKE_CURRENT_LIST_DIR}/docs/index.html"
  "${CMAKE_CURRENT_LIST_DIR}/docs/style.css")
eb_ship_with_bundle(edge_bleed_plugin
  BUNDLE_DIR "${EDGE_BLEED_BUNDLE_DIR}"
  PRESETS ${EB_EDGE_BLEED_FACTORY_PRESETS}
  DOCUMENTATION ${EB_EDGE_BLEED_DOCUMENTATION})
