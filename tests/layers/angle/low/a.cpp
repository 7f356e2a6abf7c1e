#include <high/b.h>
