#pragma once
// What the calculation windows ask of the one diagram window (declared with the session).
#include "session/diagram_window_control.h"
