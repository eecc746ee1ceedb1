#pragma once
#include "controls/LCtlSpec.h"

// The descriptor handed to every standard control: kind 0 makes the control's own native view,
// kind 1 wraps the view given; its style word holds the control's options. One record serves
// both names.
using LStdCtlDesc = LCtlSpec;
