// The web page borrowing the renderer's options.
#include "tools/render/options.h"
#include "web/page.h"
