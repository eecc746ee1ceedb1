#pragma once

// The grid step of an axis spanning v: 1, 2 or 5 times a power of ten, about a tenth to a
// half of v (1 gives 0.1, 7 gives 1, 13 gives 2, 250 gives 50). A v that is not a positive
// finite number gives 1, so that a grid loop always advances.
float NiceStep(float v);
