#include "engine/payment.h"
