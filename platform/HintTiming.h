#pragma once
// The application's hint timing: how long the pointer rests on a control before its hint
// shows, and how long the hint then stays. It holds for every window of the program.
namespace platform {

void SetHintTiming(int pauseMs, int hidePauseMs);

} // namespace platform
