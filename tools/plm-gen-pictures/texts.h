// The words on the pictures: the roles of the credits and the greetings.
// Only the demo's own name and its two authors appear; the greetings are
// generic.
#ifndef PLM_GEN_TEXTS_H
#define PLM_GEN_TEXTS_H

#include <vector>

struct CROLE {
    const char* role;
    const char* name;
};

struct CGREETINGSECTION {
    const char* heading;
    std::vector<const char*> lines;
};

extern const char* const kTitle;    // "plumora"
extern const char* const kAuthors;  // "kelvoth / dravine"
const std::vector<CROLE>& CreditRoles();
const std::vector<CGREETINGSECTION>& GreetingSections();

#endif
