#include "lib/low/a.h"
