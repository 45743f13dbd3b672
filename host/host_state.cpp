#include "host/host_state.h"

namespace orv {

HostState hostState;

}  // namespace orv
