#include "image_names.h"

#include <map>

namespace {

struct CNAMES {
    std::map<unsigned int, CILIMAGE> images{{0u, CILIMAGE()}};
    unsigned int bound = 0;
    unsigned int next = 1;
};

CNAMES& Names()
{
    static CNAMES names;
    return names;
}

}  // namespace

void GenerateImageNames(int count, unsigned int* names)
{
    if (count <= 0 || !names) return;
    CNAMES& n = Names();
    for (int i = 0; i < count; ++i) {
        while (n.next == 0 || n.images.count(n.next) != 0) ++n.next;
        n.images.emplace(n.next, CILIMAGE());
        names[i] = n.next++;
    }
}

void BindImageName(unsigned int name)
{
    CNAMES& n = Names();
    n.images.emplace(name, CILIMAGE());  // no effect when the name is in use
    n.bound = name;
}

void DeleteImageNames(int count, const unsigned int* names)
{
    if (count <= 0 || !names) return;
    CNAMES& n = Names();
    for (int i = 0; i < count; ++i) {
        if (names[i] == 0) continue;
        n.images.erase(names[i]);
        if (names[i] == n.bound) n.bound = 0;
    }
}

CILIMAGE* BoundImage()
{
    CNAMES& n = Names();
    return &n.images[n.bound];
}

void ResetImageNames()
{
    CNAMES& n = Names();
    n.images.clear();
    n.images.emplace(0u, CILIMAGE());
    n.bound = 0;
    n.next = 1;
}
