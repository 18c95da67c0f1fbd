// The two pieces of the frame's library-wide state the subscription reads, owned here so that each test
// can set them as the frame would.
#include "tsxPlug.h"

int32_t PlugId = -1;
bool PlugShuttingDown = false;
