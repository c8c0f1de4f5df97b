#ifndef GRUBNOSH_WEBQUADBATCH_H
#define GRUBNOSH_WEBQUADBATCH_H

// Quads gathered for one WebGL draw: a run of quads that share a page and a
// blend state, their vertices already in clip space.

#include <vector>

#include "SDL_opengl.h"

// What every quad of one draw shares.
struct DrawState {
    int page = 0;
    bool blending = false;
    GLenum source = GL_ONE;
    GLenum destination = GL_ZERO;

    bool operator==(const DrawState& other) const
    {
        return page == other.page && blending == other.blending && source == other.source &&
               destination == other.destination;
    }
};

struct Vertex {
    float x, y; // clip space
    float u, v; // page coordinates
    Uint32 colour; // R, G, B, A bytes in memory order
};

class QuadBatch {
public:
    // Quads from here on are drawn in `state`: what waits in another state is
    // drawn first.
    void setState(const DrawState& state);
    // Adds a corner; every four make a quad.
    void add(const Vertex& corner);
    // Drops the corners of a quad left unfinished, as OpenGL does at glEnd.
    void dropUnfinishedQuad();
    // Draws what waits, if anything, in one draw call.
    void flush();

private:
    bool prepareGpu();
    void applyBlending();

    std::vector<Vertex> corners;
    DrawState state;
    int gpuGeneration = -1; // of the context the program and buffers were made in; none yet
    bool gpuReady = false;
};

#endif
