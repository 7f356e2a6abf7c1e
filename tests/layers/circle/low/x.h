#pragma once
#include "low/y.h"
