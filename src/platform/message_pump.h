// Lets pending user-interface messages run, as long loops do once per entry so
// that the window stays responsive and a click on Abort is seen.
#pragma once

void ProcessMessages();
