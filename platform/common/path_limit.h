#pragma once
// The path limit lives with the other limits.
#include "platform/limits.h"
