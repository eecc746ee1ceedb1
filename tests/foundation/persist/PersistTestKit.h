#pragma once
#include "foundation/records/LObject.h"

// A 'ROOT' record of the record tests' schema with every kind of field away from its default:
// numbers, texts (one with line ends), every array type, a list of two items (one with a
// nested list), a child, an on-demand child and an untagged value.
LObjectPtr MakeRichRoot();
