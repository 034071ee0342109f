#include "core/Game.h"

int main(int, char**)
{
    return RunGame();
}
