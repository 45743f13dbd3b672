// A core header that reaches up into the effects.
#pragma once
#include "effects/effect.h"
#include "core/geometry.h"
