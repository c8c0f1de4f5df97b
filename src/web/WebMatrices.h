#ifndef GRUBNOSH_WEBMATRICES_H
#define GRUBNOSH_WEBMATRICES_H

// The matrix stacks of the browser's renderer. A flat scene needs only the 2D
// affine part of OpenGL's 4 x 4 matrices, so that is all they keep: glRotatef
// about the z axis, glTranslatef in x and y, and gluOrtho2D.

// x' = xx x + yx y + tx, y' = xy x + yy y + ty.
struct Affine2D {
    float xx = 1.0f, xy = 0.0f, yx = 0.0f, yy = 1.0f, tx = 0.0f, ty = 0.0f;

    float mapX(float x, float y) const { return xx * x + yx * y + tx; }
    float mapY(float x, float y) const { return xy * x + yy * y + ty; }
};

// The projection matrix times the modelview matrix: where a vertex lands in
// clip space.
Affine2D webCurrentTransform();

#endif
