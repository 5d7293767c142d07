// Compiled as a file of the model layer: the meter layer lies above it, so its
// headers must not be found.
#include "meter/CableBackend.h"
