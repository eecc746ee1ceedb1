#pragma once
#include <atomic>
#include <cstdint>
#include <vector>

class CGLTexture;

// Textures whose last reference went while some other context may be drawing: their owner
// deletes them later in its own context (the first `pending` entries of `textures`).
struct CGLTextureList {
    std::vector<CGLTexture*> textures;
    uint32_t pending = 0;
};

// One OpenGL texture name, reference-counted (a new texture has one reference). Without an
// owner the last release deletes the name at once, under the shared OpenGL lock; with an
// owner the texture is moved to the owner's pending entries instead. One process-wide
// recursive mutex guards the owners' lists.
class CGLTexture {
public:
    // A new texture of `target` with one reference, its name generated (and bound once) under
    // the shared OpenGL lock; null when no name could be had.
    static CGLTexture* Create(uint32_t target, CGLTextureList* owner);

    void Retain() { count.fetch_add(1); }
    // Drops one reference; the last one deletes the texture or hands it to its owner.
    virtual void Release();

    std::atomic<int32_t> count{1};
    uint32_t target = 0;
    uint32_t texture = 0;
    CGLTextureList* owner = nullptr;

protected:
    CGLTexture(uint32_t target, uint32_t name, CGLTextureList* owner);
    // Deletes the name (when not 0) under the shared OpenGL lock.
    virtual ~CGLTexture();
    CGLTexture(const CGLTexture&) = delete;
    CGLTexture& operator=(const CGLTexture&) = delete;

    friend void DeletePendingTextures(CGLTextureList& list);
};

// Deletes the pending textures of an owner; the caller's context lock must be held.
void DeletePendingTextures(CGLTextureList& list);
