#include "render/cmove.h"

#include "platform/gl.h"

void CMove::Rotatef(float x, float y, float z) {
    glRotatef(x, 1.0f, 0.0f, 0.0f);
    glRotatef(y, 0.0f, 1.0f, 0.0f);
    glRotatef(z, 0.0f, 0.0f, 1.0f);
}

void CMove::Translatef(float x, float y, float z) {
    glTranslatef(x, y, z);
}
