#pragma once
// Waking the display when a reminder fires: the session is told that the user is
// active, through the screensaver's D-Bus interface. Best effort by nature: without a
// session bus or a screensaver service nothing happens and nothing is reported.

// Safe to call from any thread; never blocks on the bus.
void Report_User_Activity();
