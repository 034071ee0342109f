#pragma once

namespace fb {
class SoundBinder;
}
class Window;

// Start-up, one frame, and the ordered shutdown of the whole game.
namespace Game {

// Throws std::runtime_error when the window or its OpenGL context cannot be made.
void Init();
void Frame();
void Shutdown();

// The steps of a frame after the current state's update: the entities, the
// input, then the camera.
void UpdateWorld();
// Puts what the frame queued on the screen: sprites, text, debug shapes.
void PresentFrame();

} // namespace Game

// The main loop: Init, frames while the game runs, Shutdown. An exception
// that escapes is printed to standard error, the game is shut down, and the
// result is non-zero.
int RunGame();

fb::SoundBinder* GetSoundBinder();

extern Window* gWindow;
extern fb::SoundBinder* gSoundBinder;
