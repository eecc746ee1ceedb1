#include "app/CommandLine.h"

#include <cstring>

CommandLine ParseCommandLine(int argc, char** argv)
{
    CommandLine line;
    for (int i = 1; i < argc && argv && argv[i]; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--") == 0)
            break;
        if (arg[0] != '-' || arg[1] == '\0')
            continue; // a file ("-" alone is a name too)
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            line.request = CommandLineRequest::Help;
            return line;
        }
        if (std::strcmp(arg, "--version") == 0) {
            line.request = CommandLineRequest::Version;
            return line;
        }
        line.request = CommandLineRequest::Invalid;
        line.badOption = arg;
        return line;
    }
    return line;
}

std::string UsageText()
{
    return "Usage: sonalyx [--help] [--version] [--] [FILE...]\n"
           "Turns live signals into control data for lights, music and sound.\n"
           "\n"
           "Files:\n"
           "  NAME.snx       a Sonalyx document: opens in a document window\n"
           "  NAME.tks       a recording: opens for playback\n"
           "  --             ends the options; every later argument is a file, even \"-x.snx\"\n"
           "\n"
           "Environment:\n"
           "  DISPLAY                the X display to show the windows on (needed)\n"
           "  SONALYX_HEADLESS=1     run without a display, in the in-memory window system (tests)\n"
           "  SONALYX_RESOURCE_FILE  the resource file to use instead of the one beside the program\n"
           "  SONALYX_SUPPORT_DIR    the folder of fader definitions and sounds\n"
           "  SONALYX_SOUND_INPUT    the sound input to record from: an ALSA device name (arecord -L), or\n"
           "                         sim:tone, sim:silence or sim:file=PATH (a sound file in real time)\n"
           "  SONALYX_SERIAL_PORTS   extra serial ports, \"name=/path;...\"\n"
           "  SONALYX_SYSFS_ROOT     the folder read in place of /sys when looking for devices\n"
           "  SONALYX_TEST_CONTROLS_FILE  a file the program rewrites with its windows, menus and controls\n"
           "                         and where they are on the screen, for tests that drive it\n"
           "  HOME, USER             the home folder and the user's name\n"
           "  XDG_CONFIG_HOME        where preferences live (default ~/.config)\n"
           "  XDG_DATA_HOME          where application data lives (default ~/.local/share)\n"
           "  XDG_DOCUMENTS_DIR      the documents folder (default ~/Documents)\n"
           "  XDG_DESKTOP_DIR        the desktop folder (default ~/Desktop)\n"
           "  XDG_MUSIC_DIR          the music folder offered by the file panels (default ~/Music)\n"
           "  XDG_RUNTIME_DIR        where a running Sonalyx takes the files of a later start\n"
           "  TMPDIR                 the folder for temporary files (default /tmp)\n"
           "  LANGUAGE, LC_ALL, LC_MESSAGES, LANG  the language of messages\n"
           "  PATH                   where xdg-open is found to open web links\n";
}

std::string NoDisplayText(const std::string& reason)
{
    return "sonalyx: needs an X display (" + reason + "); run it on a desktop, or under Xvfb with: xvfb-run sonalyx";
}
