// Compiled as a file of the model layer: the text layer lies below it, so its
// headers are found.
#include "text/texts.h"
