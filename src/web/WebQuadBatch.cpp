#include "WebQuadBatch.h"

#include <cstddef>
#include <cstdio>

#include <webgl/webgl1.h>

#include "WebContextLoss.h"
#include "WebTextures.h"

namespace {

// 16-bit indices would reach 16384 quads; a frame of the game holds a few hundred.
const size_t kMaxQuads = 4096;
const size_t kCornersPerQuad = 4;
const size_t kIndicesPerQuad = 6;
const GLuint kPosition = 0;
const GLuint kPageCoord = 1;
const GLuint kColour = 2;
const int kLogSize = 512;

const char* const kVertexShader = R"(
attribute vec2 position;
attribute vec2 pageCoord;
attribute vec4 colour;
varying vec2 texel;
varying vec4 tint;
void main()
{
    texel = pageCoord;
    tint = colour;
    gl_Position = vec4(position, 0.0, 1.0);
})";

// OpenGL's default texture environment: the texel times the current colour.
// Page coordinates need more than medium precision to hit a texel of a large page.
const char* const kFragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D page;
varying vec2 texel;
varying vec4 tint;
void main()
{
    gl_FragColor = texture2D(page, texel) * tint;
})";

GLuint compile(GLenum kind, const char* source)
{
    const GLuint shader = emscripten_glCreateShader(kind);
    emscripten_glShaderSource(shader, 1, &source, NULL);
    emscripten_glCompileShader(shader);
    GLint compiled = GL_FALSE;
    emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        char log[kLogSize] = "";
        emscripten_glGetShaderInfoLog(shader, kLogSize, NULL, log);
        fprintf(stderr, "FAIL) The browser's renderer could not compile a shader: %s\n", log);
    }
    return shader;
}

// The program every quad is drawn with, in use; false when it could not be built.
bool useProgram()
{
    const GLuint program = emscripten_glCreateProgram();
    emscripten_glAttachShader(program, compile(GL_VERTEX_SHADER, kVertexShader));
    emscripten_glAttachShader(program, compile(GL_FRAGMENT_SHADER, kFragmentShader));
    emscripten_glBindAttribLocation(program, kPosition, "position");
    emscripten_glBindAttribLocation(program, kPageCoord, "pageCoord");
    emscripten_glBindAttribLocation(program, kColour, "colour");
    emscripten_glLinkProgram(program);
    GLint linked = GL_FALSE;
    emscripten_glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        char log[kLogSize] = "";
        emscripten_glGetProgramInfoLog(program, kLogSize, NULL, log);
        fprintf(stderr, "FAIL) The browser's renderer could not link its shaders: %s\n", log);
        return false;
    }
    emscripten_glUseProgram(program);
    return true;
}

// Two triangles a quad, corners 0 1 2 and 0 2 3, for as many quads as a draw holds.
void bindQuadIndices(GLuint buffer)
{
    std::vector<GLushort> indices;
    indices.reserve(kMaxQuads * kIndicesPerQuad);
    for (size_t quad = 0; quad < kMaxQuads; ++quad) {
        const GLushort first = static_cast<GLushort>(quad * kCornersPerQuad);
        for (GLushort corner : {0, 1, 2, 0, 2, 3})
            indices.push_back(static_cast<GLushort>(first + corner));
    }
    emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
    emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER, indices.size() * sizeof(GLushort), indices.data(),
                            GL_STATIC_DRAW);
}

void bindCornerLayout(GLuint buffer)
{
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const struct {
        GLuint location;
        GLint size;
        GLenum type;
        GLboolean normalised;
        size_t offset;
    } fields[] = {{kPosition, 2, GL_FLOAT, GL_FALSE, offsetof(Vertex, x)},
                  {kPageCoord, 2, GL_FLOAT, GL_FALSE, offsetof(Vertex, u)},
                  {kColour, 4, GL_UNSIGNED_BYTE, GL_TRUE, offsetof(Vertex, colour)}};
    for (const auto& field : fields) {
        emscripten_glEnableVertexAttribArray(field.location);
        emscripten_glVertexAttribPointer(field.location, field.size, field.type, field.normalised, sizeof(Vertex),
                                         reinterpret_cast<const void*>(field.offset));
    }
}

} // namespace

void QuadBatch::setState(const DrawState& next)
{
    if (next == state)
        return;
    flush();
    state = next;
}

void QuadBatch::add(const Vertex& corner)
{
    if (corners.size() == kMaxQuads * kCornersPerQuad)
        flush();
    corners.push_back(corner);
}

void QuadBatch::dropUnfinishedQuad()
{
    corners.resize(corners.size() - corners.size() % kCornersPerQuad);
}

void QuadBatch::flush()
{
    const size_t quads = corners.size() / kCornersPerQuad;
    if (quads > 0 && prepareGpu()) {
        webUsePage(state.page);
        applyBlending();
        emscripten_glBufferData(GL_ARRAY_BUFFER, corners.size() * sizeof(Vertex), corners.data(), GL_STREAM_DRAW);
        emscripten_glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(quads * kIndicesPerQuad), GL_UNSIGNED_SHORT,
                                  NULL);
    }
    corners.clear();
}

// Built at the first draw, when the page's WebGL context surely exists, and
// again at the first after a lost context; a failure is reported once and
// leaves the screen undrawn.
bool QuadBatch::prepareGpu()
{
    if (gpuGeneration == webContextGeneration())
        return gpuReady;
    gpuGeneration = webContextGeneration();
    gpuReady = false;
    if (!useProgram())
        return false;
    GLuint buffers[2];
    emscripten_glGenBuffers(2, buffers);
    bindQuadIndices(buffers[0]);
    bindCornerLayout(buffers[1]);
    gpuReady = true;
    return true;
}

void QuadBatch::applyBlending()
{
    if (state.blending)
        emscripten_glEnable(GL_BLEND);
    else
        emscripten_glDisable(GL_BLEND);
    emscripten_glBlendFunc(state.source, state.destination);
}
