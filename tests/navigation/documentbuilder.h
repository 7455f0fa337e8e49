#pragma once

// Kept for the tests that still include it from here.
#include "support/documentbuilder.h"
