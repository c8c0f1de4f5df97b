// Included first in every engine source of the fuzz build. The C library says
// exit cannot throw, so the compiler leaves out the destructors around its
// calls; the font harness turns exit into an exception, and those destructors
// must run. Declared without that promise, exit gets them back.
#include <sys/cdefs.h>
#pragma push_macro("__THROW")
#undef __THROW
#define __THROW
#include <stdlib.h>
#pragma pop_macro("__THROW")
