#pragma once

#include <QString>

// Makes `dir` (absolute, or relative to the current directory) the process's
// current directory and returns its full path as the system now reports it.
// Raises EInOutError with the system's error code when it cannot be entered.
QString EnterDirectory(const QString& dir);
