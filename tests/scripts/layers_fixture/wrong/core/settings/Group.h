#pragma once
#include "gui/app/CommandIds.h"
#include <qtconcurrentrun.h>
