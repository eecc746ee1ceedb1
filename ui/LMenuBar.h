#pragma once
#include "ui/menus/LMenuBar.h"
