#pragma once

// The analyzer's whole run: the command line, the application object, the
// one window `Form2`, the message loop until the window closes. A path on the
// command line is opened in the window once it shows (see OpenPath). Returns
// 0, also after an error while the window is created, which is shown in a
// message box first; --help and --version print and return 0 without a
// window; a command line that cannot be parsed is reported on standard error
// and returns 1.
int RunAnalyzer(int& argc, char** argv);
