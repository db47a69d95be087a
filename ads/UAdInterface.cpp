#include "UAdInterface.h"
