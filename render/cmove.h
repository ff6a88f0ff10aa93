// Applies a composite rotation or a translation to the current OpenGL matrix in one call.
#pragma once

class CMove {
  public:
    // M becomes M · Rx(x) · Ry(y) · Rz(z): three glRotatef calls, X first, none skipped for a zero angle.
    void Rotatef(float x, float y, float z);
    void Translatef(float x, float y, float z);
};
