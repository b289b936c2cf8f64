// plm-gen-pipes <staging dir>: writes the pipes flight's data set there.
#include <cstdio>

#include "generator.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: plm-gen-pipes <staging dir>\n");
        return 2;
    }
    return pipesgen::GenerateDataSet(argv[1]) ? 0 : 1;
}
