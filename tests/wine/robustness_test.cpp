// Hostile input and long repetition on the real windows.

#include "harness.h"
