#include "core/engine/Driver.h"
#include <vector>
#include <QString>
