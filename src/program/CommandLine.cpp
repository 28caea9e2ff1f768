#include "program/CommandLine.h"

#include <cstring>

#ifndef LUMOVANDER_VERSION
#define LUMOVANDER_VERSION "onbekend"
#endif

namespace CommandLine {

std::optional<EarlyAnswer> earlyAnswer(int argc, const char *const argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)
            return EarlyAnswer{
                "Gebruik: lumovander\n"
                "Ontwerp visitekaartjes en druk ze af op A4-vellen met voorgesneden kaartjes.\n"
                "\n"
                "Opties:\n"
                "  -h, --help     deze hulptekst tonen en stoppen\n"
                "  -v, --version  het versienummer tonen en stoppen\n"
                "\n"
                "Instellingen, kaarten (Cards) en templates (Templates) staan in de map van\n"
                "het programma als die beschrijfbaar is, anders in ~/.local/share/Lumovander.\n"
                "Voor het werken zonder venster: lumovander-batch --help.\n",
                0};
        if (std::strcmp(arg, "--version") == 0 || std::strcmp(arg, "-v") == 0)
            return EarlyAnswer{"Lumovander " LUMOVANDER_VERSION "\n", 0};
    }
    return std::nullopt;
}

} // namespace CommandLine
