#pragma once
// The OpenGL interface that display code draws with: the compatibility profile, with every
// entry point up to the newest version declared. The calls go to the context made current
// through plat::GLContext; window-system setup stays inside platform/gl.
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
