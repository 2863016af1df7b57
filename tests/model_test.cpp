#include <gtest/gtest.h>

#include "model/model.h"
