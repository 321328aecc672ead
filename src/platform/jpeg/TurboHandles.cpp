#include "platform/jpeg/TurboHandles.h"

#include <turbojpeg.h>

void TurboHandleDestroy::operator()(void* handle) const
{
    tjDestroy(handle);
}

void TurboBufferFree::operator()(unsigned char* buffer) const
{
    tjFree(buffer);
}
