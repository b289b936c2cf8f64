#include "texts.h"

const char* const kTitle = "plumora";
const char* const kAuthors = "kelvoth / dravine";

const std::vector<CROLE>& CreditRoles()
{
    static const std::vector<CROLE> roles = {
        {"code", "kelvoth"},
        {"graphics & models", "dravine"},
        {"music", "dravine"},
        {"direction", "kelvoth & dravine"},
    };
    return roles;
}

const std::vector<CGREETINGSECTION>& GreetingSections()
{
    static const std::vector<CGREETINGSECTION> sections = {
        {"greetings fly out to",
         {"every demoscener", "everyone at the party place", "the organisers", "the compo crew",
          "the big screen techs", "the sleepless visitors"}},
        {"respect to",
         {"every coder up at 4 am", "all pixel artists", "musicians and trackers", "the 3d modellers",
          "the sizecoders", "the shader wizards"}},
        {"thanks to",
         {"the open source people", "everyone who shares code", "our friends near and far",
          "you, for watching"}},
    };
    return sections;
}
