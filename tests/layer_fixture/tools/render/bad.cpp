// The renderer borrowing the X11 saver's options.
#include "tools/render/options.h"
#include "x11/options.h"
