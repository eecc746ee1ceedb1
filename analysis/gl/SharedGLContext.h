#pragma once

class CGLContext;

// The process's shared OpenGL context: no host view, default pixel format. Made on the first
// call (start-up calls it before any window opens), it owns the mutex every later context
// borrows and is the share context of every later one, so programs, shaders and textures made
// under its lock serve every drawing area. It is never deleted. When no shared context is
// published yet, the first call publishes it.
CGLContext* SharedGLContext();

// The context held in the slot, made first (the shared context) when the slot is empty; the
// start-up keeps the display code's slot and publishes the result with CGLContext::SetShared.
CGLContext* GetSharedGLContext(CGLContext*& slot);
