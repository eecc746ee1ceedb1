#include "platform/InputSettings.h"

#include <mutex>

namespace plat {

namespace {

struct Store {
    std::mutex lock;
    InputSettings settings;
};

Store& Settings()
{
    static Store store;
    return store;
}

} // namespace

InputSettings CurrentInputSettings()
{
    Store& store = Settings();
    std::lock_guard guard(store.lock);
    return store.settings;
}

void SetInputSettings(const InputSettings& settings)
{
    Store& store = Settings();
    std::lock_guard guard(store.lock);
    store.settings = settings;
}

} // namespace plat
