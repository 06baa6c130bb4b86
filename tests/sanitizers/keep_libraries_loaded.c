/* Linked into every program of the sanitized build (CMake preset asan) in place of the C library's
 * dlclose: a library once loaded stays loaded until the process ends. A library that is unloaded
 * (the OpenGL driver goes when SDL closes its X display) takes its globals with it, so what they
 * pointed to turns into leaks whose stacks name no library and that no suppression can match;
 * kept loaded, that memory stays reachable, as any library's caches are at exit. */
#include <dlfcn.h>

int dlclose(void* handle) {
  (void)handle;
  return 0;
}
