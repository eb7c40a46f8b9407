#pragma once
// The alert's sound player is shared with the tray popup's players.
#include "alerts/sonido.h"
