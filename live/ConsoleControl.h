// Windows: what the program does when the console asks it to end. Ctrl-C and Ctrl-Break ask the loop to
// stop. Closing the window (or logging off, shutting down) ends the process once the handler returns, so
// the handler waits until the loop has finished, with every file whole, within the few seconds Windows
// grants. Apart from the handler so a test can call it as the console would.
#pragma once

#if defined(_WIN32)

// `stopAsked` and `workFinished` are manual-reset events. True: the event was handled.
bool handleConsoleControl(unsigned long event, void* stopAsked, void* workFinished);

// How long a closing window waits for the loop to finish; Windows ends the process after about five seconds.
inline constexpr unsigned long kClosingWaitMilliseconds = 4000;

#endif
