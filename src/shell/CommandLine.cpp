#include "shell/CommandLine.h"

namespace kv {

namespace {

// Set by the build from the project's version.
constexpr const char* Version = KV_VERSION;

std::string UsageText()
{
    return "Usage: kvspace [--help | --version]\n"
           "\n"
           "A space trading and combat game. Started without options, kvspace opens its\n"
           "launcher: pick a display mode, tick \"Enable sound\" and press \"Play\".\n"
           "\n"
           "Options:\n"
           "  --help       show this help and end\n"
           "  --version    show the version and end\n"
           "\n"
           "Environment:\n"
           "  KVSPACE_DATA     the folder that holds the game's data (res and Objects)\n"
           "  XDG_CONFIG_HOME  settings are kept in $XDG_CONFIG_HOME/kvspace/settings.ini,\n"
           "                   or ~/.config/kvspace/settings.ini without it, gamepad\n"
           "                   mappings in gamecontrollerdb.txt beside it\n"
           "  SDL_GAMECONTROLLERCONFIG  gamepad mappings of your own, read by SDL\n"
           "  SDL_RENDER_DRIVER, SDL_RENDER_VSYNC  SDL's own choice of renderer;\n"
           "                   \"software\" has the game scale the picture itself\n"
           "\n"
           "Keys:\n"
           "  Launcher  Enter plays, Esc quits.\n"
           "  Window    Alt+Enter or F11 fullscreen on the desktop and back; F10 sharp\n"
           "            (whole multiples, crisp pixels) or smooth (filled, filtered)\n"
           "            scaling; Ctrl+= and Ctrl+- a larger or smaller whole multiple;\n"
           "            Pause pauses and resumes, as leaving or minimising the window do.\n"
           "  Title     click \"Start game\", \"Intro\" or \"Exit\" on the circle; F6 the\n"
           "            options, as does a click on the \"Paused\" mark.\n"
           "  Intro     any key but Pause, or a click, returns to the title.\n"
           "  Space     F1 star map, F2 player, F3 star information, F4 ship, F5 market;\n"
           "            Esc hides the panel that has the focus, Home and End change its\n"
           "            opacity; the key left of 1 opens the console; F6 the options\n"
           "            (volumes, sound, fullscreen, scaling, window scale); F7 a career\n"
           "            game's contracts (a click on an offer accepts it).\n"
           "  Star map  left click picks a star, right drag turns the galaxy, the wheel\n"
           "            zooms, E shows the galactic plane, C the axis cross.\n"
           "  Combat    Left and Right turn, Up thrusts, Down thrusts backwards, Space\n"
           "            fires; hold Esc to leave the battle. The options window rebinds\n"
           "            these, Pause, F11, F1-F5 and the console key.\n"
           "  Gamepad   left stick or d-pad move the pointer, A clicks, X right-clicks,\n"
           "            B is Esc, Start pauses; right stick turns the star map, LB and\n"
           "            RB zoom. Combat: d-pad or left stick steer, A or RT fire, hold B\n"
           "            to leave.\n";
}

}  // namespace

StartRequest ReadCommandLine(const std::vector<std::string>& arguments)
{
    const std::string hint = "Try 'kvspace --help' for the options and keys.\n";
    if (arguments.empty()) return {StartAction::Play, ""};
    if (arguments.size() > 1) return {StartAction::Refuse, "kvspace: one option at most\n" + hint};
    const std::string& option = arguments.front();
    if (option == "--help" || option == "-h") return {StartAction::ShowHelp, UsageText()};
    if (option == "--version") return {StartAction::ShowVersion, std::string("kvspace ") + Version + "\n"};
    return {StartAction::Refuse, "kvspace: unknown option '" + option + "'\n" + hint};
}

}  // namespace kv
