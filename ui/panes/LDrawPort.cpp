#include "ui/panes/LDrawPort.h"

LDrawPort::LDrawPort(const LPaneContext& context) : fContext(context) {}

LDrawPort::~LDrawPort() = default;
