#pragma once

// The analyzer's whole run: the application object, the one window `Form2`,
// the message loop until the window closes. Always returns 0; an error while
// the window is created is shown in a message box first.
int RunAnalyzer(int& argc, char** argv);
