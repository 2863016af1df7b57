#include "montecarlo/random.h"
