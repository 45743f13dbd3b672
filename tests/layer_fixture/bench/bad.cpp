// A benchmark built on the tests' helpers and the renderer's files.
#include "frontend/scripted_host.h"
#include "tests/test_support.h"
#include "tools/render/render.h"
