#include "low/x.h"
