#pragma once
#include <cstdint>
#include <string>

// A GLSL program of the display: a vertex and a fragment shader compiled from lists of
// source texts and linked. The program object lives in the shared context, so every drawing
// area can use it. A program may be built again any number of times: its shaders are reused
// with new sources and the program is linked anew. Compile and link failures are not shown to
// the user: they leave `linked` 0, go to the debug log, and stay readable through Error and Log.
class CGLProgram {
public:
    // Makes the program object under the shared context's lock.
    CGLProgram();
    // Detaches and deletes the shaders and deletes the program, under the same lock.
    ~CGLProgram();
    CGLProgram(const CGLProgram&) = delete;
    CGLProgram& operator=(const CGLProgram&) = delete;

    // Compiles the vertex sources, then (when that succeeded) the fragment sources, then
    // (when both succeeded) links. Each list is handed to the compiler as one text in order,
    // with no separator; a count of 0 removes that shader. The caller holds the shared lock.
    void Build(uint32_t vertexCount, const char* const* vertexSources, uint32_t fragmentCount,
               const char* const* fragmentSources);
    // Compiles `count` sources into the shader in `slot` (made and attached when the slot is
    // empty); a count of 0 detaches and deletes it. False when compiling failed.
    bool CompileShader(uint32_t type, uint32_t& slot, uint32_t count, const char* const* sources);
    // Links the program; `linked` tells whether it succeeded.
    void Link();

    // What failed last ("the vertex shader does not compile", ...); empty after a success.
    const std::string& Error() const { return fError; }
    // The compiler's or linker's log of that failure, cut to the 2048-byte log buffer.
    const std::string& Log() const { return fLog; }

    uint32_t program = 0;
    uint32_t vertexShader = 0;
    uint32_t fragmentShader = 0;
    uint8_t linked = 0;

private:
    void Fail(const char* what, const char* log);

    std::string fError;
    std::string fLog;
};
