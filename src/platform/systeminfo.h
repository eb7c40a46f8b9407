#pragma once
// Facts about the running system that need no display.

#include <QString>

// The English name of the system locale's language ("English", "Spanish", ...), at most
// 100 characters.
QString System_Language_Name();
// The system's description of an error number (errno).
QString System_Error_Text(int riError);
