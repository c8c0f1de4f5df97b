// glMatrixMode, glLoadIdentity, glPushMatrix, glPopMatrix, glTranslatef,
// glRotatef and gluOrtho2D for the browser's renderer, which transforms
// vertices itself.

#include "WebMatrices.h"

#include <cmath>
#include <vector>

#include <GL/glu.h>

#include "WebWarnings.h"

namespace {

// Desktop OpenGL guarantees this depth for the modelview stack.
const unsigned kStackDepth = 32;

// `outer` applied after `inner`, as OpenGL multiplies a new matrix onto the right.
Affine2D operator*(const Affine2D& outer, const Affine2D& inner)
{
    Affine2D product;
    product.xx = outer.xx * inner.xx + outer.yx * inner.xy;
    product.xy = outer.xy * inner.xx + outer.yy * inner.xy;
    product.yx = outer.xx * inner.yx + outer.yx * inner.yy;
    product.yy = outer.xy * inner.yx + outer.yy * inner.yy;
    product.tx = outer.mapX(inner.tx, inner.ty);
    product.ty = outer.mapY(inner.tx, inner.ty);
    return product;
}

struct Stacks {
    std::vector<Affine2D> projection{Affine2D()};
    std::vector<Affine2D> modelview{Affine2D()};
    std::vector<Affine2D>* current = &modelview;
};

Stacks& stacks()
{
    static Stacks state;
    return state;
}

Affine2D& currentMatrix()
{
    return stacks().current->back();
}

void multiply(const Affine2D& matrix)
{
    currentMatrix() = currentMatrix() * matrix;
}

} // namespace

Affine2D webCurrentTransform()
{
    return stacks().projection.back() * stacks().modelview.back();
}

void glMatrixMode(GLenum mode)
{
    if (mode == GL_PROJECTION)
        stacks().current = &stacks().projection;
    else if (mode == GL_MODELVIEW)
        stacks().current = &stacks().modelview;
    else
        webWarnOnce("glMatrixMode(0x%04X)", mode);
}

void glLoadIdentity()
{
    currentMatrix() = Affine2D();
}

void glPushMatrix()
{
    std::vector<Affine2D>& stack = *stacks().current;
    if (stack.size() == kStackDepth) {
        webWarnOnce("glPushMatrix beyond %u matrices", kStackDepth);
        return;
    }
    stack.push_back(stack.back());
}

void glPopMatrix()
{
    std::vector<Affine2D>& stack = *stacks().current;
    if (stack.size() == 1) {
        webWarnOnce("glPopMatrix of the last matrix");
        return;
    }
    stack.pop_back();
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    // Depth would only clip a flat scene, and nothing is ever moved off z = 0.
    if (z != 0.0f)
        webWarnOnce("glTranslatef along z");
    Affine2D shift;
    shift.tx = x;
    shift.ty = y;
    multiply(shift);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    if (x != 0.0f || y != 0.0f || z == 0.0f) {
        webWarnOnce("glRotatef about an axis other than z");
        return;
    }
    const double radians = (z > 0.0f ? angle : -angle) * M_PI / 180.0;
    Affine2D turn;
    turn.xx = static_cast<float>(cos(radians));
    turn.xy = static_cast<float>(sin(radians));
    turn.yx = -turn.xy;
    turn.yy = turn.xx;
    multiply(turn);
}

void gluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top)
{
    Affine2D ortho;
    ortho.xx = static_cast<float>(2.0 / (right - left));
    ortho.yy = static_cast<float>(2.0 / (top - bottom));
    ortho.tx = static_cast<float>(-(right + left) / (right - left));
    ortho.ty = static_cast<float>(-(top + bottom) / (top - bottom));
    multiply(ortho);
}
