#pragma once
#include "low/x.h"
