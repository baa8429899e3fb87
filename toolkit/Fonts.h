#pragma once

// The window layout was designed for Tahoma. Debian ships a metric-compatible
// clone in fonts-wine that fontconfig does not index, so it is registered with
// Qt directly when no Tahoma is known.
// Returns true when a Tahoma family is available afterwards.
bool RegisterWindowFonts();
