#pragma once
// The pictures built into the game (resources/garvo.qrc): the game library holds them, so the
// program and the tests register them once before the first window is made.

namespace game {

// Makes the ":/main/...", ":/scores/...", ":/buttons/..." pictures readable. Safe to call again.
void InitGameResources();

} // namespace game
