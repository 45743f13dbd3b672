// Shared front-end code that reaches into a front end and a platform.
#pragma once
#include <X11/Xlib.h>
#include "x11/x_host.h"
#include "loop/render_loop.h"
