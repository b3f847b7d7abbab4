#include "app/Program.h"
