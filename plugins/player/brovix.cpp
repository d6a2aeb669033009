#include "player_variant.h"

const player::PlayerVariant& player::ThisPlayer() { return kQuickTimePlayer; }
