// An effect that reaches into the platform.
#include <windows.h>
#include "core/bad.h"
#include "loop/render_loop.h"
