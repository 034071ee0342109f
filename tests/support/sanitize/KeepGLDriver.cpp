// Built into the test programs of sanitizer builds only. Mesa unloads its
// software driver when a window closes; the blocks the driver keeps for the
// life of the process then lose their last pointer and look leaked to
// LeakSanitizer. Opening the driver once more, never to be unloaded, keeps
// it mapped until the process ends.
#include <dlfcn.h>

namespace {

void* const gDriver = dlopen(VENDRABOLT_GL_DRIVER, RTLD_NOW | RTLD_NODELETE);

} // namespace
