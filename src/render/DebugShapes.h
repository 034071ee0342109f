#pragma once

// Lines, boxes and circles drawn over everything else, for debugging.
namespace Render {

void Initialize();
void Flush();
void Shutdown();

} // namespace Render
