#pragma once
// Moved to tests/support.
#include "../support/DialogAnswerer.h"
