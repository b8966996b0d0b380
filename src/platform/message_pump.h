// Lets pending user-interface messages run, as long loops do once per entry so
// that the window stays responsive and a click on Abort is seen.
#pragma once

// Runs the pending messages. Looking at the queue costs a round trip to the
// window system (about as much as reading a registry value under Wine), so a
// call within kPumpIntervalMs of the last look returns at once: the window
// still gets its messages at least 200 times a second, and Abort is seen
// within a few milliseconds.
void ProcessMessages();
// Runs the pending messages now, whenever the last look was.
void ProcessMessagesNow();

inline constexpr unsigned kPumpIntervalMs = 5;

// Asks the message loop to end at its next turn (the loop of a modal window
// passes the request on to the main loop).
void RequestQuit();
// Waits on the user-interface thread without running its messages.
void PauseMs(unsigned ms);
