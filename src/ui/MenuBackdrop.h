#pragma once

// Makes the menus' framed starfield the picture drawn behind everything.
void SetMenuBackdrop();
