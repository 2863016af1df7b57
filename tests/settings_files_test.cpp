#include "files_fixture.h"
