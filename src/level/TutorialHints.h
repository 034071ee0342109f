#pragma once

// The button pictures and texts that teach the controls on the level named
// "Tutorial"; nothing on any other level. Once a frame. The pictures are
// made on the first tutorial frame and kept for the rest of the run.
void ShowTutorialHints();
