#ifndef GRUBNOSH_WEBCONTEXTLOSS_H
#define GRUBNOSH_WEBCONTEXTLOSS_H

// A lost WebGL context: phones take it when a tab goes to the background or
// memory runs short, and a GPU reset takes it anywhere. The browser hands it
// back only to a page that asks, and with none of the GL objects made in it
// before; the renderer asks, and makes each object again from what it kept.

// How many times the context has been handed back so far: an object made when
// this answered otherwise is gone, and is made again before its next use.
int webContextGeneration();

#endif
