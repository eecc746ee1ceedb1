#include "platform/menus/MenuActions.h"

#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuItem.h"

#include <memory>

namespace plat {

namespace {

NilTargetResolver gResolver = nullptr;
void* gResolverContext = nullptr;

} // namespace

bool ActionResponder::ValidateMenuItem(const MenuItem&) const
{
    return true;
}

void SetNilTargetResolver(NilTargetResolver resolver, void* context)
{
    gResolver = resolver;
    gResolverContext = context;
}

ActionResponder* ResolveNilTarget(std::string_view action)
{
    return gResolver ? gResolver(gResolverContext, action) : nullptr;
}

ActionResponder* ActionTargetFor(const MenuItem& item)
{
    if (item.Action().empty())
        return nullptr;
    if (ActionResponder* target = item.Target())
        return target->RespondsTo(item.Action()) ? target : nullptr;
    return ResolveNilTarget(item.Action());
}

bool SendAction(MenuItem& item)
{
    ActionResponder* target = ActionTargetFor(item);
    if (!target)
        return false;
    // The action name is copied: performing it may retitle or re-aim the item.
    const std::string action = item.Action();
    target->Perform(action, &item);
    return true;
}

bool ChooseItem(MenuItem& item)
{
    const std::shared_ptr<MenuItem> keep = item.shared_from_this();
    Menu* menu = item.ParentMenu();
    const std::shared_ptr<Menu> keepMenu = menu ? menu->shared_from_this() : nullptr;
    if (!item.IsEnabled() || !SendAction(item))
        return false;
    PostMenuEvent(MenuEvent::DidSendAction, menu, &item);
    return true;
}

} // namespace plat
