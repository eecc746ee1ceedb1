#pragma once
#include "foundation/core/LStringRef.h"
#include "ui/draw/LOffscreen.h"

#include <cstdint>
#include <memory>
#include <vector>

class CGLTexture;

// How the trail view places its labels.
struct CGLLabelPlacement {
    uint32_t slice = 0;    // the newest slice
    uint32_t depth = 1;    // slices in the trail
    float fqzm = 1.0f;     // frequency zoom
    float fqps = 0.0f;     // left edge of the visible frequency range, 0 .. 1
    float opacity = 0.0f;  // of the shading behind the labels, 0 .. 1
};

// Short texts turned into OpenGL textures once and drawn as textured quads in the trail view,
// one per slice that arrived with an event text. The list stays in the order of last use.
class CGLLabelList {
public:
    struct Label {
        uint32_t id = 0;      // the slice the label belongs to
        uint32_t width = 0;   // pixels
        uint32_t height = 0;
        LStringRef text;
        CGLTexture* texture = nullptr; // one reference
    };

    CGLLabelList() = default;
    ~CGLLabelList();
    CGLLabelList(const CGLLabelList&) = delete;
    CGLLabelList& operator=(const CGLLabelList&) = delete;

    // Drops every label of this id, then gives the text (when not empty) to this id: an
    // existing label of the same text moves to the end, else the text is rendered.
    void SetLabel(uint32_t id, const LStringRef& text);
    // Draws every label at its slice's depth, with its shading, in the current context.
    void Draw(const CGLLabelPlacement& placement) const;
    // Releases every label.
    void Clear();

    uint32_t Count() const { return uint32_t(labels.size()); }
    const Label& At(uint32_t i) const { return *labels[i]; }

    // Renders a text into a new texture; false (nothing made) for an empty measure or no texture.
    bool RenderText(const LStringRef& text, uint32_t& width, uint32_t& height, CGLTexture*& texture);

    std::vector<std::unique_ptr<Label>> labels;
    LOffscreen bitmap;

private:
    static void Free(Label& label);
    void DrawQuads(const CGLLabelPlacement& placement) const;
    void DrawShades(const CGLLabelPlacement& placement) const;
};
