#include "script_reader.h"

#include <cstdio>

namespace {

// True when only white space is left in the file.
bool AtEnd(FILE* f)
{
    char rest[2];
    return std::fscanf(f, "%1s", rest) != 1;
}

bool ReadTypes(FILE* f, std::vector<ReadType>* types)
{
    int count = 0;
    if (std::fscanf(f, "%d", &count) != 1 || count < 0) return false;
    for (int i = 0; i < count; ++i) {
        char name[64];
        ReadType t;
        if (std::fscanf(f, "%63s %f %f %f %f %f %f", name, &t.offset[0], &t.offset[1], &t.offset[2],
                        &t.direction[0], &t.direction[1], &t.direction[2]) != 7)
            return false;
        t.file = name;
        types->push_back(t);
    }
    return AtEnd(f);
}

bool ReadPipe(FILE* f, pipesgen::PipeRecord* pipe)
{
    unsigned count = 0;
    float* p = pipe->position;
    float* r = pipe->rotation;
    if (std::fscanf(f, "%*s %f %f %f", &p[0], &p[1], &p[2]) != 3) return false;
    if (std::fscanf(f, "%*s %f %f %f", &r[0], &r[1], &r[2]) != 3) return false;
    if (std::fscanf(f, "%*s %*s %u", &count) != 1) return false;
    for (unsigned i = 0; i < count; ++i) {
        unsigned type = 0;
        float twist = 0;
        if (std::fscanf(f, "%u %f", &type, &twist) != 2) return false;
        pipe->segments.push_back({int(type) - 1, twist});
    }
    return true;
}

bool ReadMap(FILE* f, pipesgen::Network* network)
{
    int count = 0;
    if (std::fscanf(f, "%*s %*s %d", &count) != 1 || count < 0) return false;
    for (int i = 0; i < count; ++i) {
        network->pipes.emplace_back();
        if (!ReadPipe(f, &network->pipes.back())) return false;
    }
    return AtEnd(f);
}

}  // namespace

bool ReadTypesScript(const std::string& path, std::vector<ReadType>* types)
{
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return false;
    bool ok = ReadTypes(f, types);
    std::fclose(f);
    return ok;
}

bool ReadMapScript(const std::string& path, pipesgen::Network* network)
{
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return false;
    bool ok = ReadMap(f, network);
    std::fclose(f);
    return ok;
}
