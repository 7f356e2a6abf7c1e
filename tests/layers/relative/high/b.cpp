#include "../low/a.h"
