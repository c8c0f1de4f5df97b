#ifndef GRUBNOSH_WEBKEYS_H
#define GRUBNOSH_WEBKEYS_H

// Puts the keyboard of WebKeys.cpp in the runtime's place: each key named as
// the desktop's SDL names it, held keys let go when the page goes away, and a
// held key repeated only as the program asks. Call it before main, before the
// runtime's SDL listens to the page. Calling it is also what links it in: the
// archive gives a program only the objects it refers to.
void startKeysAsTheDesktop();

#endif
