// The model reaching up into the window: what the layer check exists to refuse.
#include "core/CardDocument.h"
#include "window/MainWindow.h"
