#pragma once

// The window layout was designed for Tahoma. Debian ships a metric-compatible
// clone in fonts-wine that fontconfig does not index, so it is registered with
// Qt directly when no Tahoma is known; its bold face is registered so that bold
// text is drawn with visibly heavier stems on the bold face's own advances.
// Returns true when a Tahoma family is available afterwards.
bool RegisterWindowFonts();
