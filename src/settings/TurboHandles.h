#pragma once

// The TurboJPEG handles' owner lives in the platform layer, where the camera's
// decoder uses it too.
#include "platform/jpeg/TurboHandles.h"
