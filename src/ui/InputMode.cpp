#include "ui/InputMode.h"

void UpdateInputMode() {}
