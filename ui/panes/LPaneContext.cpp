#include "ui/panes/LPaneContext.h"
#include "ui/panes/LPane.h"

LPaneContext LPaneContext::FromPane(const LPane& pane)
{
    LPaneContext context;
    pane.GetContext(context);
    return context;
}

LRegion LPaneContext::VisibleRegion() const
{
    LRegion local = clip;
    local.Offset(-originX, -originY);
    return local;
}
