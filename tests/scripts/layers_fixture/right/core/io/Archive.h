#pragma once
#include <cstdint>
#include "core/io/Format.h"
