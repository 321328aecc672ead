#pragma once

// The emulated cameras of one process: what the device nodes answer. The preload
// shim (Preload.cpp) hands it the calls libv4l2 makes through syscall(); everything
// else goes on to the kernel.

#include <cstddef>
#include <cstdint>
#include <sys/types.h>

namespace uvcemu {

// Reads TOLVEX_UVC_EMULATOR again when it changed; creates missing node files.
void reloadFromEnvironment();

// Each returns true when the call was the emulator's (the result in `result`, the
// reason in errno), false when it belongs to the kernel.
bool emulatedOpen(const char* path, int flags, long& result);
bool emulatedClose(int fd, long& result);
bool emulatedIoctl(int fd, unsigned long request, void* arg, long& result);
bool emulatedMmap(void* address, std::size_t length, int prot, int flags, int fd, off_t offset, long& result);
bool emulatedReadWrite(int fd, long& result);
// Told before an unmapping goes on to the kernel: a stream buffer the program maps
// no longer is reported mapped once its last mapping goes.
void noteUnmap(void* address);

}  // namespace uvcemu
