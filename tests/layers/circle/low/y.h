#pragma once
#include "low/z.h"
