#pragma once
#include <string>

// The sound file of a "snd" fader: the file named `name` in the shared-support "sounds"
// folder when it exists; otherwise, when the last segment of `url` is that name, the file
// `url` names relative to the user's documents folder. A path, or empty when neither is a file.
std::string FindFaderSound(const std::string& name, const std::string& url);
