#ifndef TORVANE_USAGECHECKS_H
#define TORVANE_USAGECHECKS_H

// Catches the engine used out of order: textures made before the window, or
// drawing before TQ_initGL. Each fault is told once per process on standard
// error, and the caller carries on with a harmless default.

// True when SDL's video surface is an OpenGL window that can hold textures.
// Otherwise tells, the first time for `who`, that it came before the window:
// without a context the mipmap builder reads the GL version through a null pointer.
bool openGLWindowReadyFor(const char* who);

// Called by TQ_initGL: the 2D state is set if there was a window to set it in.
void noteTwoDStateSet();

// Called by the drawing routines: warns once when the 2D state was never set.
void warnUnlessTwoDStateSet();

#endif
