// The host sees the saver below it and the resources: nothing to report.
#include <windows.h>
#include "host/host_procs.h"
#include "resources/resource_ids.h"
#include "saver/saver.h"
