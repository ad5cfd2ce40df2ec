#pragma once
#include "core/model/Chart.h"
#  include "core/engine/RunEnd.h"
