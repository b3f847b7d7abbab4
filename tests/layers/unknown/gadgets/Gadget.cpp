#include "engine/Formulas.h"
