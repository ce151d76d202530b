#ifndef OFX_TEST_HEADERS_C_LAYOUT_H
#define OFX_TEST_HEADERS_C_LAYOUT_H
/* Sizes of the OpenFX records as compiled by the C compiler (headers_c_check.c). */
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OfxCLayout {
  const char *name;
  size_t size;
} OfxCLayout;

const OfxCLayout *ofx_c_layouts(size_t *count);
size_t ofx_c_plugin_main_entry_offset(void);
size_t ofx_c_draw_text_offset(void);
size_t ofx_c_param_edit_end_offset(void);

#ifdef __cplusplus
}
#endif

#endif
