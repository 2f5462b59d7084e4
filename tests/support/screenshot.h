#pragma once
// Keeps a picture of a window and checks it (support/look.h).
#include "support/look.h"
