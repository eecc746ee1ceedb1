#pragma once
#include <cstdint>
#include <functional>

// What the picture of a trail's older strips depends on, read from the drawing context and
// the renderer just before they are drawn. Equal keys give equal pictures.
struct TrailImageKey {
    const void* context = nullptr;
    uint64_t ring = 0;       // the renderer's count of changes to its older slices and programs
    uint32_t slice = 0;      // the newest slice, which ages every other one
    int32_t viewport[4] = {};
    float projection[16] = {};
    float modelView[16] = {};
    float zoom = 0.0f;
    float colorScale = 0.0f;

    bool operator==(const TrailImageKey&) const = default;
};

// The older strips of one channel's trail, drawn once into an offscreen colour and depth
// image and laid onto the view in the passes after, while nothing they show has changed: a
// software rasteriser spends most of a pass on those tens of thousands of triangles, and
// between two advances of the ring only the newest strip moves. The textures belong to the
// share group of all drawing contexts; framebuffer objects are made per use, in the context
// at hand, because contexts do not share them.
class TrailImage {
public:
    // Shader texts of the program that lays an image onto a view: it writes the stored colour
    // and depth where a strip was drawn and nothing elsewhere, through the view's own depth
    // test, as drawing the strips there would.
    static const char* const kVertexText;
    static const char* const kFragmentText;

    TrailImage() = default;
    // Frees the textures; a lock of the share group must be held.
    ~TrailImage();
    TrailImage(const TrailImage&) = delete;
    TrailImage& operator=(const TrailImage&) = delete;

    // True when the image shows what `key` describes.
    bool Holds(const TrailImageKey& key) const { return fValid && fKey == key; }
    // Draws `draw` into the image at the key's viewport, on nothing (colour and alpha 0, depth
    // 1), with the current context's state. False (the image then holds nothing) when no
    // offscreen image can be made.
    [[nodiscard]] bool Capture(const TrailImageKey& key, const std::function<void()>& draw);
    // Lays the image onto the current surface at the key's viewport with `program` (linked
    // from the texts above) and the context's depth test; false when there is no image.
    [[nodiscard]] bool Restore(uint32_t program) const;

private:
    bool FitTextures(int32_t width, int32_t height);

    uint32_t fColor = 0;
    uint32_t fDepth = 0;
    int32_t fWidth = 0;
    int32_t fHeight = 0;
    TrailImageKey fKey;
    bool fValid = false;
};
