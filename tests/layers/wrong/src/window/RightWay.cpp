// The window reaching down into the model is the allowed direction.
#include "core/CardDocument.h"
