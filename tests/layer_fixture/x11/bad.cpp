// One front end borrowing from another.
#include "frontend/damage_grid.h"
#include "saver/message_text_layout.h"
