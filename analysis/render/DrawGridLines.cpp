#include "analysis/render/DrawGridLines.h"
#include "platform/gl/GLApi.h"

#include <cmath>
#include <vector>

namespace {

// At most this many lines: a step far too small for the view draws nothing but noise.
constexpr uint32_t kMaxLines = 4096;

} // namespace

void DrawGridLines(const CLRect& rect, bool vertical, const uint8_t color[4], float range, float step, float origin)
{
    const float start = float(vertical ? rect.left : rect.top);
    const float end = float(vertical ? rect.right : rect.bottom);
    const float extent = end - start;
    const float spacing = step * extent / range;
    if (!(spacing > 0.0f) || !std::isfinite(spacing) || !(extent > 0.0f))
        return;
    float first = std::fmod(origin * extent, spacing);
    if (!std::isfinite(first) || std::floor(first) == 0.0f)
        first = spacing;
    std::vector<GLfloat> points;
    for (uint32_t k = 0; k < kMaxLines; ++k) {
        const float at = start + first + float(k) * spacing;
        if (!(at < end))
            break;
        if (vertical)
            points.insert(points.end(), {at, float(rect.top), at, float(rect.bottom)});
        else
            points.insert(points.end(), {float(rect.left), at, float(rect.right), at});
    }
    if (points.empty())
        return;
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4ub(color[0], color[1], color[2], color[3]);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, points.data());
    glDrawArrays(GL_LINES, 0, GLsizei(points.size() / 2));
    glPopClientAttrib();
    glPopAttrib();
}
