#pragma once
#include "foundation/core/LStringRef.h"

class LDrop;

// A sound file dropped on a fader: its file URL relative to the user's documents folder and
// its decoded file name.
struct DroppedSound {
    LStringRef url;
    LStringRef name;
};

// The first file of a drag when it is a plain file that opens as a sound; false for drags
// without files, folders, devices and files that are not sounds or cannot be read.
bool ReadDroppedSound(const LDrop* drop, DroppedSound& sound);
