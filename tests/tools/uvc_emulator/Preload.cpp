// Loaded with LD_PRELOAD into an unchanged program: libv4l2 reaches device nodes
// through syscall() (open, close, ioctl, mmap, munmap, read, write), so this one entry point
// is enough to put emulated cameras beneath it. Calls that are not for an emulated
// node go on to the real syscall().

#include "Emulator.h"

#include <atomic>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <sys/syscall.h>

namespace {

using SyscallFn = long (*)(long, ...);

// No function-local static here: its guard may itself wait through syscall(futex).
std::atomic<SyscallFn> real{nullptr};

SyscallFn realSyscall()
{
    SyscallFn fn = real.load(std::memory_order_acquire);
    if (!fn) {
        fn = reinterpret_cast<SyscallFn>(dlsym(RTLD_NEXT, "syscall"));
        real.store(fn, std::memory_order_release);
    }
    return fn;
}

__attribute__((constructor)) void loadEmulator()
{
    realSyscall();
    uvcemu::reloadFromEnvironment();
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) long syscall(long number, ...)
{
    va_list list;
    va_start(list, number);
    long a[6];
    for (long& v : a)
        v = va_arg(list, long);
    va_end(list);

    long result = 0;
    switch (number) {
    case SYS_openat:
        if (int(a[0]) == AT_FDCWD && uvcemu::emulatedOpen(reinterpret_cast<const char*>(a[1]), int(a[2]), result))
            return result;
        break;
    case SYS_open:
        if (uvcemu::emulatedOpen(reinterpret_cast<const char*>(a[0]), int(a[1]), result))
            return result;
        break;
    case SYS_close:
        if (uvcemu::emulatedClose(int(a[0]), result))
            return result;
        break;
    case SYS_ioctl:
        if (uvcemu::emulatedIoctl(int(a[0]), static_cast<unsigned long>(a[1]), reinterpret_cast<void*>(a[2]), result))
            return result;
        break;
    case SYS_mmap:
        if (uvcemu::emulatedMmap(reinterpret_cast<void*>(a[0]), static_cast<std::size_t>(a[1]), int(a[2]), int(a[3]),
                                 int(a[4]), off_t(a[5]), result))
            return result;
        break;
    case SYS_munmap:
        uvcemu::noteUnmap(reinterpret_cast<void*>(a[0]));
        break;
    case SYS_read:
    case SYS_write:
        if (uvcemu::emulatedReadWrite(int(a[0]), result))
            return result;
        break;
    default:
        break;
    }
    return realSyscall()(number, a[0], a[1], a[2], a[3], a[4], a[5]);
}

// Tests that set TOLVEX_UVC_EMULATOR after the start of the process call this
// (found with dlsym) to have the cameras made at once.
__attribute__((visibility("default"))) void tolvex_uvc_emulator_reload()
{
    uvcemu::reloadFromEnvironment();
}
}
