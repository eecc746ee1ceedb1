#pragma once
#include "ui/menus/LMenuItem.h"
