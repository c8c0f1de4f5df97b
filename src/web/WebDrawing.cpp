// The engine's immediate-mode drawing in the browser: glBegin and glEnd with
// corners, texture coordinates and colours, the capabilities and blend function
// they are drawn with, and clearing. Corners are transformed here and gathered
// into runs of quads, each run one WebGL draw. All of it is kept here, so a
// context handed back after a loss draws as the lost one did.

#include <algorithm>

#include <webgl/webgl1.h>

#include "WebContextLoss.h"
#include "WebMatrices.h"
#include "WebQuadBatch.h"
#include "WebRenderer.h"
#include "WebTextures.h"
#include "WebWarnings.h"

namespace {

// What OpenGL keeps between calls, at its initial values.
struct Drawing {
    bool texturing = false;
    bool blending = false;
    GLenum source = GL_ONE;
    GLenum destination = GL_ZERO;
    float u = 0.0f;
    float v = 0.0f;
    Uint32 colour = 0xFFFFFFFF;
    // Between glBegin and glEnd: whether corners are taken, and how they are placed.
    bool inQuads = false;
    Affine2D transform;
    TextureRegion region;
    QuadBatch batch;
    // What glClear fills with, and the context it was last handed to.
    GLfloat clearColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    GLfloat clearDepth = 1.0f;
    int clearGeneration = 0;
};

Drawing& drawing()
{
    static Drawing state;
    return state;
}

Uint32 colourByte(GLfloat component, int shift)
{
    const float clamped = std::min(1.0f, std::max(0.0f, component));
    return static_cast<Uint32>(clamped * 255.0f + 0.5f) << shift;
}

void setCapability(GLenum capability, bool on, const char* call)
{
    if (capability == GL_TEXTURE_2D)
        drawing().texturing = on;
    else if (capability == GL_BLEND)
        drawing().blending = on;
    else
        webWarnOnce(call, capability);
}

} // namespace

void webFlushDrawing()
{
    drawing().batch.flush();
}

void glBegin(GLenum mode)
{
    Drawing& state = drawing();
    if (mode != GL_QUADS) {
        webWarnOnce("glBegin(0x%04X)", mode);
        return;
    }
    state.inQuads = true;
    state.transform = webCurrentTransform();
    state.region = webDrawingRegion(state.texturing);
    DrawState shared;
    shared.page = state.region.page;
    shared.blending = state.blending;
    shared.source = state.source;
    shared.destination = state.destination;
    state.batch.setState(shared);
}

void glEnd()
{
    drawing().batch.dropUnfinishedQuad();
    drawing().inQuads = false;
}

void glVertex2f(GLfloat x, GLfloat y)
{
    const Drawing& state = drawing();
    if (!state.inQuads)
        return; // outside glBegin and glEnd, or in a primitive that is not drawn
    const TextureRegion& region = state.region;
    drawing().batch.add({state.transform.mapX(x, y), state.transform.mapY(x, y), region.u0 + state.u * region.du,
                         region.v0 + state.v * region.dv, state.colour});
}

void glVertex2i(GLint x, GLint y)
{
    glVertex2f(static_cast<GLfloat>(x), static_cast<GLfloat>(y));
}

void glTexCoord2f(GLfloat u, GLfloat v)
{
    drawing().u = u;
    drawing().v = v;
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha)
{
    drawing().colour = colourByte(red, 0) | colourByte(green, 8) | colourByte(blue, 16) | colourByte(alpha, 24);
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    glColor4f(red, green, blue, 1.0f);
}

void glEnable(GLenum capability)
{
    setCapability(capability, true, "glEnable(0x%04X)");
}

void glDisable(GLenum capability)
{
    setCapability(capability, false, "glDisable(0x%04X)");
}

void glBlendFunc(GLenum source, GLenum destination)
{
    drawing().source = source;
    drawing().destination = destination;
}

void glClear(GLbitfield mask)
{
    webFlushDrawing();
    Drawing& state = drawing();
    if (state.clearGeneration != webContextGeneration()) {
        const GLfloat* colour = state.clearColour;
        emscripten_glClearColor(colour[0], colour[1], colour[2], colour[3]);
        emscripten_glClearDepthf(state.clearDepth);
        state.clearGeneration = webContextGeneration();
    }
    emscripten_glClear(mask);
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha)
{
    const GLfloat colour[] = {red, green, blue, alpha};
    std::copy(colour, colour + 4, drawing().clearColour);
    emscripten_glClearColor(red, green, blue, alpha);
}

// WebGL takes the depth as a float; the engine clears it to 1.0.
void glClearDepth(GLclampd depth)
{
    drawing().clearDepth = static_cast<GLfloat>(depth);
    emscripten_glClearDepthf(drawing().clearDepth);
}
