#ifndef GRUBNOSH_WEBWARNINGS_H
#define GRUBNOSH_WEBWARNINGS_H

// Says once on standard error that the browser's renderer ignored a call, so
// that a call outside what it draws is seen instead of drawing wrong in
// silence. `call` is a printf format with at most one conversion of `value`
// (an OpenGL enum, say); later calls with the same pair stay quiet.
void webWarnOnce(const char* call, unsigned value = 0);

#endif
