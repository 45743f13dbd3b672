// The saver reaching up into its host.
#include "host/host_procs.h"
#include "saver/saver.h"
