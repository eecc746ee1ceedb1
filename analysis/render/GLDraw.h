#pragma once
#include "platform/gl/GLApi.h"

#include <cstdint>

// Small drawing steps the renderers share; they act on the current GL context.

// The current viewport's width and height; false when either is not positive.
inline bool ViewportSize(GLint& width, GLint& height)
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    width = viewport[2];
    height = viewport[3];
    return width > 0 && height > 0;
}

// Sets a float uniform of the program in use.
inline void SetUniform(GLuint program, const char* name, float value)
{
    glUniform1f(glGetUniformLocation(program, name), value);
}

// The current colour from red, green, blue and alpha bytes.
inline void SetColor(const uint8_t c[4])
{
    glColor4ub(c[0], c[1], c[2], c[3]);
}

// One line in the z = 0 plane.
inline void DrawLine(float x0, float y0, float x1, float y1)
{
    glBegin(GL_LINES);
    glVertex3f(x0, y0, 0.0f);
    glVertex3f(x1, y1, 0.0f);
    glEnd();
}
