#include "analysis/render/CGLTexture.h"
#include "analysis/gl/SharedGLContext.h"
#include "platform/gl/GLApi.h"
#include "shell/gl/CGLContextLock.h"

#include <algorithm>
#include <mutex>

namespace {

// Guards every owner's list of textures; recursive so that a release inside a delete is safe.
std::recursive_mutex& DeferredMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

} // namespace

CGLTexture* CGLTexture::Create(uint32_t target, CGLTextureList* owner)
{
    GLuint name = 0;
    {
        CGLContextLock lock(SharedGLContext());
        glGenTextures(1, &name);
        if (name == 0)
            return nullptr;
        glBindTexture(target, name);
        glBindTexture(target, 0);
    }
    auto* made = new CGLTexture(target, name, owner);
    if (owner) {
        std::lock_guard guard(DeferredMutex());
        owner->textures.push_back(made);
    }
    return made;
}

CGLTexture::CGLTexture(uint32_t t, uint32_t name, CGLTextureList* o) : target(t), texture(name), owner(o) {}

CGLTexture::~CGLTexture()
{
    if (texture == 0)
        return;
    CGLContextLock lock(SharedGLContext());
    const GLuint name = texture;
    glDeleteTextures(1, &name);
}

void CGLTexture::Release()
{
    if (count.fetch_sub(1) - 1 > 0)
        return;
    std::lock_guard guard(DeferredMutex());
    if (!owner) {
        delete this;
        return;
    }
    // Move this texture to the end of the owner's pending run.
    std::vector<CGLTexture*>& list = owner->textures;
    for (size_t i = list.size(); i > owner->pending; --i) {
        if (list[i - 1] != this)
            continue;
        list.erase(list.begin() + std::ptrdiff_t(i - 1));
        list.insert(list.begin() + owner->pending, this);
        ++owner->pending;
        return;
    }
    delete this; // not in its owner's list: nobody else would ever delete it
}

void DeletePendingTextures(CGLTextureList& list)
{
    std::lock_guard guard(DeferredMutex());
    for (uint32_t i = 0; i < list.pending && i < list.textures.size(); ++i)
        delete list.textures[i];
    list.textures.erase(list.textures.begin(), list.textures.begin() + std::min<size_t>(list.pending, list.textures.size()));
    list.pending = 0;
}
