#include "controls/LCtlSpec.h"

namespace {

// Built by static initialisation, so that it exists before start-up code runs.
const LCtlSpec gDefaultSpec = [] {
    LCtlSpec desc;
    desc.InitNew(0, LFont(0));
    return desc;
}();

} // namespace

const LCtlSpec& LCtlSpec::Default() { return gDefaultSpec; }
