#pragma once
// The desktop's standard alert sound. Needs a running QApplication.

void System_Beep();
