#pragma once

// The services every window shares.
#include "settings/Module1Color.h"
#include "settings/Module1Files.h"
#include "settings/Module1Launchers.h"
#include "settings/Module1Registry.h"
#include "settings/Module1Sounds.h"
