// Program entry: start-up, then the window loop.
#include "core/app_state.h"

int main() { return 0; }
