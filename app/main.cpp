// Sonalyx: turns live signals into control data for lights, music and sound.
#include "app/ProgramMain.h"

int main(int argc, char** argv)
{
    return RunProgram(argc, argv);
}
