#ifndef OFX_OPENGL_RENDER_H
#define OFX_OPENGL_RENDER_H
/* The OpenGL render declarations now live with the other GPU render modes. */
#include "ofxGPURender.h"
#endif /* OFX_OPENGL_RENDER_H */
