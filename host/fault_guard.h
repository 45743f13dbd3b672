// The guard around WinMain: a fault on the main thread goes to the system's
// UnhandledExceptionFilter and, when that answers "execute handler", switches the system's
// screen-saver-running state off and ends the process with the result of that call.
#pragma once

namespace orv {

void InstallFaultGuard();
void RemoveFaultGuard();

}  // namespace orv
